// Prints the MIME type a desktop gives each file named, one per line, as Qt's
// MIME database sees it through XDG_DATA_DIRS: by name and by content.
#include <cstdio>

#include <QCoreApplication>
#include <QMimeDatabase>

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  const QMimeDatabase database;
  for (int i = 1; i < argc; ++i)
    std::printf("%s\n", qPrintable(database.mimeTypeForFile(QString::fromLocal8Bit(argv[i])).name()));
  return 0;
}
