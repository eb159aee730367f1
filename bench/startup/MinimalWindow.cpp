// The least a Qt Widgets program does to show a window: the baseline of the
// start-up figure. It quits as soon as the window has been shown, as the
// program does when the benchmark asks it to. With "--text" the window holds
// a line of text, so that the fonts are loaded and text is drawn, as in any
// window that shows something.

#include <cstdio>

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  if (argc > 1 && QString::fromLocal8Bit(argv[1]) == QStringLiteral("--text"))
    window.setCentralWidget(new QLabel(QStringLiteral("Available statistics:"), &window));
  window.resize(1188, 680);
  window.show();
  QTimer::singleShot(0, &app, [] {
    std::fputs("shown\n", stdout);
    std::fflush(stdout);
    QApplication::quit();
  });
  return QApplication::exec();
}
