// Times the thumbnailer as a file manager runs it, a whole process from start to exit: the model at the
// reader's limits, 998 of each element, at 256 pixels, against the floor of any Qt program's start, a
// program that only loads Qt Gui and exits. The two take turns, so that a burst of load from elsewhere on
// the machine hits both. Prints `thumbnail_ms=X qtgui_ms=Y ratio=X/Y maxrss_mib=Z`: the medians of many
// runs, and the thumbnailer's largest peak memory (its maxrss); fails when the ratio is above 3 or the
// peak above 64 MiB.

#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace {

struct Lauf {
    double ms;
    long maxrssKib;
};

// Runs a program to its end; ms below 0 when it could not start or did not exit with 0.
Lauf laufen(std::vector<const char*> argumente)
{
    argumente.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t kind = 0;
    if (posix_spawn(&kind, argumente[0], nullptr, nullptr, const_cast<char**>(argumente.data()), environ) != 0)
        return { -1, 0 };
    int status = 0;
    rusage verbrauch {};
    if (wait4(kind, &status, 0, &verbrauch) != kind || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return { -1, 0 };
    return { std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count(),
        verbrauch.ru_maxrss };
}

double median(std::vector<double> werte)
{
    std::nth_element(werte.begin(), werte.begin() + std::ptrdiff_t(werte.size() / 2), werte.end());
    return werte[werte.size() / 2];
}

} // namespace

int main()
{
    const QTemporaryDir ablage;
    const QByteArray ausgabe = ablage.filePath(QStringLiteral("vorschau.png")).toLocal8Bit();
    constexpr int Laeufe = 101;
    std::vector<double> vorschau, boden;
    long spitze = 0;
    for (int i = 0; i < Laeufe; ++i) {
        const Lauf b = laufen({ ZEM_BODEN });
        const Lauf v = laufen({ ZEM_THUMBNAILER, "-s", "256", ZEM_BEISPIEL, ausgabe.constData() });
        if (b.ms < 0 || v.ms < 0) {
            std::fprintf(stderr, "a run failed\n");
            return 1;
        }
        boden.push_back(b.ms);
        vorschau.push_back(v.ms);
        spitze = std::max(spitze, v.maxrssKib);
    }
    const double verhaeltnis = median(vorschau) / median(boden);
    const double mib = spitze / 1024.0;
    std::printf("thumbnail_ms=%.3f qtgui_ms=%.3f ratio=%.2f maxrss_mib=%.1f\n", median(vorschau), median(boden),
        verhaeltnis, mib);
    return verhaeltnis <= 3 && mib <= 64 ? 0 : 1;
}
