// The window for keyboard users and screen readers, through Qt's own
// accessibility: the banner and the site link opened by Enter or Space and
// framed while focused, and labels that give their value as text and where
// each character lies. main_window_test walks the whole tab order with the
// links in it; atspi_test.py reads names, relations, the press action and
// the announcement of a changed value as a screen reader does, via AT-SPI.
#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>
#include <memory>

#include "scenario-player/window_session.h"
#include "ui/fonts.h"

using varostel::Page;

namespace {

// Where a key press lands: the focused control, as a real key would.
void send_key(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, bool repeat = false) {
  QKeyEvent event(type, key, modifiers, QString(), repeat);
  QApplication::sendEvent(QApplication::focusWidget(), &event);
}

// The pixels within `area` that two pictures differ in, as one bounding
// rectangle.
QRect differing_pixels(const QImage& a, const QImage& b, const QRect& area) {
  QRect box;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (a.pixel(x, y) != b.pixel(x, y)) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT

  std::unique_ptr<varostel::WindowSession> s_;

  QWidget* find(const char* name) {
    QWidget* widget = s_->window.findChild<QWidget*>(QString::fromUtf8(name));
    if (widget == nullptr) qFatal("no control %s", name);
    return widget;
  }

  // Puts the focus on `control` the way a keyboard user does: on the
  // control before it in the tab order, then Tab.
  bool tab_to(const char* before, const char* control) {
    find(before)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    return QApplication::focusWidget() == find(control);
  }

  QImage window_picture() { return s_->window.grab().toImage(); }

 private slots:
  void initTestCase() { varostel::ui::install_song_face_substitutes(); }
  void init() {
    s_ = std::make_unique<varostel::WindowSession>();
    QVERIFY(s_->show());
  }
  void cleanup() { s_.reset(); }

  // Enter or Space on a focused link does what a click does; held down it
  // opens the page once; with a modifier, or another key, it is no click.
  void keys_on_a_focused_link_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("link");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("repeats");
    QTest::addColumn<int>("openings");
    const struct {
      const char* name;
      int key;
      Qt::KeyboardModifiers modifiers;
      int repeats, openings;
    } rows[] = {{"Return", Qt::Key_Return, {}, 0, 1},
                {"Enter on the keypad", Qt::Key_Enter, Qt::KeypadModifier, 0, 1},
                {"Space", Qt::Key_Space, {}, 0, 1},
                {"Return held down", Qt::Key_Return, {}, 3, 1},
                {"Space held down", Qt::Key_Space, {}, 3, 1},
                {"Shift+Return", Qt::Key_Return, Qt::ShiftModifier, 0, 0},
                {"Control+Space", Qt::Key_Space, Qt::ControlModifier, 0, 0},
                {"Alt+Return", Qt::Key_Return, Qt::AltModifier, 0, 0},
                {"letter a", Qt::Key_A, {}, 0, 0},
                {"Escape", Qt::Key_Escape, {}, 0, 0}};
    for (const auto& [link, before] :
         {std::pair{"logo", "统一年"}, std::pair{"Morvith", "评分结果"}}) {
      for (const auto& r : rows) {
        QTest::addRow("%s: %s", link, r.name)
            << QString::fromUtf8(before) << QString::fromUtf8(link) << r.key << r.modifiers
            << r.repeats << r.openings;
      }
    }
  }

  void keys_on_a_focused_link() {
    QFETCH(QString, before);
    QFETCH(QString, link);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, repeats);
    QFETCH(int, openings);
    QVERIFY(tab_to(before.toUtf8().constData(), link.toUtf8().constData()));
    send_key(QEvent::KeyPress, key, modifiers);
    for (int i = 0; i < repeats; ++i) send_key(QEvent::KeyPress, key, modifiers, true);
    send_key(QEvent::KeyRelease, key, modifiers);
    QCOMPARE(static_cast<int>(s_->opener.openings().size()), openings);
    for (const auto& opening : s_->opener.openings()) {
      QCOMPARE(opening.address, page_address(Page::Calculator));
      QCOMPARE(opening.mode, varostel::WindowMode::Hidden);
    }
    QCOMPARE(QApplication::focusWidget()->objectName(), link);
  }

  // The focus frame is drawn around the part of the link that shows (the
  // banner starts left of the window, the site link runs below it) and goes
  // with the focus, leaving the window as it was.
  void focus_frame_shows_while_the_link_has_the_focus_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("link");
    QTest::newRow("banner") << u"统一年"_qs << u"logo"_qs;
    QTest::newRow("site link") << u"评分结果"_qs << u"Morvith"_qs;
  }

  void focus_frame_shows_while_the_link_has_the_focus() {
    QFETCH(QString, before);
    QFETCH(QString, link);
    QWidget* label = s_->window.findChild<QWidget*>(link);
    s_->window.findChild<QWidget*>(before)->setFocus(Qt::TabFocusReason);
    const QImage unfocused = window_picture();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), label);
    const QImage focused = window_picture();
    const QRect shown =
        QRect(label->mapTo(&s_->window, QPoint(0, 0)), label->size()) & s_->window.rect();
    // The control the focus came from changes too, far from the link.
    const QRect around = shown.adjusted(-8, -8, 8, 8) & s_->window.rect();
    QCOMPARE(differing_pixels(unfocused, focused, around), shown);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(differing_pixels(unfocused, window_picture(), around), QRect());
  }

  // The mouse leaves the focus where it is, so a clicked link looks as it
  // always has; the click still opens the page.
  void a_click_leaves_the_focus_where_it_was() {
    for (const char* link : {"logo", "Morvith"}) {
      QWidget* label = find(link);
      QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
      QCOMPARE(QApplication::focusWidget(), find("选择学历"));
    }
    QCOMPARE(s_->opener.openings().size(), 2u);
  }

  // A score label is named by its field and gives its value as its text,
  // the new one after a change. (That the change is announced, Qt's
  // offscreen platform cannot show: atspi_test.py hears it.)
  void score_label_gives_its_value_as_text() {
    QWidget* score = find("养老得分");
    QAccessibleInterface* described = QAccessible::queryAccessibleInterface(score);
    QVERIFY(described != nullptr);
    QCOMPARE(described->text(QAccessible::Name), u"养老得分"_qs);
    QAccessibleTextInterface* text = described->textInterface();
    QVERIFY(text != nullptr);
    QCOMPARE(text->text(0, text->characterCount()), "0");
    QCOMPARE(text->text(0, -1), "0");

    s_->calculator.form().write(varostel::field_id("养老月数"), "120");
    QCOMPARE(text->text(0, -1), "30");
    QCOMPARE(described->text(QAccessible::Name), u"养老得分"_qs);
  }

  // Where each character of a label lies, for screen readers that follow
  // the text on the screen: inside the label, aligned as the label aligns
  // it, and found again from its own middle.
  void characters_lie_where_the_label_draws_them_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("alignment");
    QTest::newRow("centred score") << u"合计得分"_qs << "130" << int(Qt::AlignHCenter);
    QTest::newRow("left caption") << u"Label17"_qs << "" << int(Qt::AlignLeft);
    QTest::newRow("right contact caption") << u"Label27"_qs << "" << int(Qt::AlignRight);
    QTest::newRow("wrapped note") << u"Label23"_qs << "" << int(Qt::AlignLeft);
  }

  void characters_lie_where_the_label_draws_them() {
    QFETCH(QString, label);
    QFETCH(QString, text);
    QFETCH(int, alignment);
    auto* widget = s_->window.findChild<QLabel*>(label);
    if (!text.isEmpty()) widget->setText(text);
    QAccessibleTextInterface* described =
        QAccessible::queryAccessibleInterface(widget)->textInterface();
    QVERIFY(described != nullptr);
    const QRect box(widget->mapToGlobal(QPoint(0, 0)), widget->size());
    QRect all;
    for (int i = 0; i < described->characterCount(); ++i) {
      const QRect character = described->characterRect(i);
      QVERIFY2(box.contains(character), qPrintable(QString::number(i)));
      QCOMPARE(described->offsetAtPoint(character.center()), i);
      all |= character;
    }
    QCOMPARE(described->offsetAtPoint(box.bottomRight() + QPoint(5, 5)), -1);
    switch (alignment) {
      case Qt::AlignHCenter:
        QVERIFY(std::abs(all.center().x() - box.center().x()) <= 1);
        break;
      case Qt::AlignRight:
        QVERIFY(std::abs(all.right() - box.right()) <= 1);
        break;
      default:
        QVERIFY(std::abs(all.left() - box.left()) <= 1);
        break;
    }
    if (widget->wordWrap()) QVERIFY(all.height() > widget->fontMetrics().height());
  }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
