// The least a Qt Widgets program does to show a window: the baseline of the
// start-up figure. It quits as soon as the window has been shown, as the
// program does when the benchmark asks it to.

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.resize(1188, 680);
  window.show();
  QTimer::singleShot(0, &app, &QApplication::quit);
  return QApplication::exec();
}
