// The yardstick for the program's start-up: the least a Qt Widgets program
// showing Chinese text does, one window with one CJK label.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(359, 685);
  QLabel label(QStringLiteral("积分入户计算器"), &window);
  label.move(20, 20);
  window.show();
  return QApplication::exec();
}
