#pragma once

// The reader's report written down, for what reads models without the program's windows.

#include "model/RwxToZem.h"

#include <QStringList>

#include <array>
#include <string>
#include <vector>

namespace zem::test {

class TestBericht : public RwxToZem::Bericht {
public:
    void eintrag(RwxToZem::Art art, std::string_view feld) override
    {
        felder[static_cast<std::size_t>(art)].emplace_back(feld);
    }
    void meldung(const QString& text, const QString& titel) override { meldungen << titel + u'|' + text; }

    // The fields of the entries, by kind in the order of RwxToZem::Art.
    std::array<std::vector<std::string>, 4> felder;
    // Every message as "title|text".
    QStringList meldungen;
};

} // namespace zem::test
