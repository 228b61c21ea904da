#pragma once

// The command line: at most one model file, which the program opens after its start as if chosen in
// "Öffnen"; or --help or --version, which answer without a window.

#include <QStringList>

#include <cstdio>
#include <optional>

namespace zem::Aufruf {

// What a command line asks for: a start, with or without a file, or an answer and an end.
struct Auftrag {
    std::optional<QString> datei; // the model file to open after the start
    QString ausgabe; // for standard output: the usage or the version
    QString fehler; // for standard error: what is wrong with the call
    std::optional<int> ende; // the exit status when the program ends without a window
};

// Reads the arguments, the program's name first. It needs no application object, so that the answers
// come without a display.
Auftrag lesen(const QStringList& argumente);
// Writes the answer of an ending call to standard output and standard error (or the streams given) and gives
// its exit status.
int beantworten(const Auftrag& auftrag, std::FILE* aus = stdout, std::FILE* fehler = stderr);

} // namespace zem::Aufruf
