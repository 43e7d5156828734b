// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

#include "model/Version.h"

namespace {

void Print(std::FILE* stream, const QString& text) {
  const QByteArray bytes = text.toLocal8Bit();
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

}  // namespace

std::optional<int> HandleCommandLine(int& argc, char* argv[]) {
  // Without arguments there is nothing to answer: start-up stays as fast as before.
  if (argc <= 1) return std::nullopt;
  // A core application (no display) gives the parser the program's name and arguments; it is
  // gone before the window's application object is made.
  const QCoreApplication probe(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("Tremvale"));
  QCoreApplication::setApplicationVersion(QString::fromLatin1(tremvale::kVersion));

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Elastic design acceleration response spectra after GB 50011."));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  if (!parser.parse(QCoreApplication::arguments())) {
    Print(stderr, QStringLiteral("tremvale: ") + parser.errorText() + QLatin1Char('\n'));
    Print(stderr, parser.helpText());
    return 2;
  }
  if (!parser.positionalArguments().isEmpty()) {
    Print(stderr, QStringLiteral("tremvale: unexpected argument '") +
                      parser.positionalArguments().constFirst() + QStringLiteral("'.\n"));
    Print(stderr, parser.helpText());
    return 2;
  }
  if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
    Print(stdout, parser.helpText());
    return 0;
  }
  if (parser.isSet(version)) {
    Print(stdout, QStringLiteral("Tremvale ") + QString::fromLatin1(tremvale::kVersion) +
                      QLatin1Char('\n'));
    return 0;
  }
  return std::nullopt;
}
