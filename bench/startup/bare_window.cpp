// The yardstick for the program's start-up: the least a Qt Widgets program
// showing Chinese text does, one fixed-size window with one CJK label in the
// window's own Song face.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QFont::insertSubstitutions(QStringLiteral("宋体"),
                             {QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC")});
  QWidget window;
  window.setWindowTitle(QStringLiteral("baseline"));
  window.setFixedSize(359, 685);
  QLabel label(QStringLiteral("积分入户计算器"), &window);
  label.setFont(QFont(QStringLiteral("宋体"), 14));
  label.move(20, 20);
  window.show();
  return QApplication::exec();
}
