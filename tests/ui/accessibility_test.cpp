// The links' keys and focus frame, and where a label's characters lie, through
// Qt's own accessibility; atspi_test.py reads names, values and relations.
#include <QAccessible>
#include <QApplication>
#include <QKeySequence>
#include <QLabel>
#include <QTest>
#include <memory>
#include <tuple>

#include "support/window_session.h"
#include "ui/fonts.h"

namespace {

// The pixels within `area` that two pictures differ in, as one rectangle.
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

  QWidget* find(const QString& name) {
    QWidget* widget = s_->window.findChild<QWidget*>(name);
    if (widget == nullptr) qFatal("no control %s", qPrintable(name));
    return widget;
  }

 private slots:
  void initTestCase() { varostel::ui::install_song_face_substitutes(); }
  void init() {
    s_ = std::make_unique<varostel::WindowSession>();
    QVERIFY(s_->show());
  }
  void cleanup() { s_.reset(); }

  // Tab frames the part of a link that shows (the banner starts left of the
  // window, the site link runs below it). Enter or Space does what a click does
  // (its page the scenarios check), once however long held; other keys nothing.
  void a_focused_link_data() {
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("repeats");
    QTest::addColumn<int>("openings");
    const std::tuple<const char*, int, int> rows[] = {
        {"Return", 0, 1}, {"Num+Enter", 0, 1},    {"Space", 0, 1},      {"Return", 3, 1},
        {"Space", 3, 1},  {"Shift+Return", 0, 0}, {"Ctrl+Space", 0, 0}, {"Alt+Return", 0, 0},
        {"A", 0, 0},      {"Escape", 0, 0}};
    for (const char* link : {"logo", "Morvith"}) {
      for (const auto& [keys, repeats, openings] : rows) {
        QTest::addRow("%s: %s%s", link, keys, repeats > 0 ? " held down" : "")
            << QString::fromUtf8(link) << QString::fromUtf8(keys) << repeats << openings;
      }
    }
  }

  void a_focused_link() {
    QFETCH(QString, link);
    QFETCH(QString, keys);
    QFETCH(int, repeats);
    QFETCH(int, openings);
    QWidget* label = find(link);
    const QImage unfocused = s_->window.grab().toImage();
    // As a keyboard user does: Tab from the control before it.
    find(link == u"logo"_qs ? u"统一年"_qs : u"评分结果"_qs)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), label);
    const QRect shown =
        QRect(label->mapTo(&s_->window, QPoint(0, 0)), label->size()) & s_->window.rect();
    // The control the focus came from changes too, far from the link.
    const QRect around = shown.adjusted(-8, -8, 8, 8) & s_->window.rect();
    QCOMPARE(differing_pixels(unfocused, s_->window.grab().toImage(), around), shown);
    const QKeyCombination key = QKeySequence::fromString(keys)[0];
    for (int i = 0; i <= repeats; ++i) {
      QTest::simulateEvent(label, true, key.key(), key.keyboardModifiers(), {}, i > 0);
    }
    QTest::simulateEvent(label, false, key.key(), key.keyboardModifiers(), {}, false);
    QCOMPARE(static_cast<int>(s_->opener.openings().size()), openings);
    QCOMPARE(QApplication::focusWidget(), label);
    QTest::keyClick(label, Qt::Key_Backtab);
    QCOMPARE(differing_pixels(unfocused, s_->window.grab().toImage(), around), QRect());
  }

  // The mouse leaves the focus where it is, so a clicked link looks as it
  // always has; the click still opens the page.
  void a_click_leaves_the_focus_where_it_was() {
    for (const QString& link : {u"logo"_qs, u"Morvith"_qs}) {
      QTest::mouseClick(find(link), Qt::LeftButton, {}, find(link)->rect().center());
      QCOMPARE(QApplication::focusWidget(), find(u"选择学历"_qs));
    }
    QCOMPARE(s_->opener.openings().size(), 2u);
  }

  // Where each character lies, for screen readers that follow the text on the
  // screen: in the label, aligned as it aligns, found again from its middle.
  void characters_lie_where_the_label_draws_them_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    QTest::newRow("centred score") << u"合计得分"_qs << "130";
    QTest::newRow("left caption") << u"Label17"_qs << "";
    QTest::newRow("right contact caption") << u"Label27"_qs << "";
    QTest::newRow("wrapped note") << u"Label23"_qs << "";
  }

  void characters_lie_where_the_label_draws_them() {
    QFETCH(QString, label);
    QFETCH(QString, text);
    auto* widget = static_cast<QLabel*>(find(label));
    if (!text.isEmpty()) widget->setText(text);
    QAccessibleTextInterface* described =
        QAccessible::queryAccessibleInterface(widget)->textInterface();
    QVERIFY(described != nullptr);
    QCOMPARE(described->text(0, -1), widget->text());
    const QRect box(widget->mapToGlobal(QPoint(0, 0)), widget->size());
    QRect all;
    for (int i = 0; i < described->characterCount(); ++i) {
      const QRect character = described->characterRect(i);
      QVERIFY2(box.contains(character), qPrintable(QString::number(i)));
      QCOMPARE(described->offsetAtPoint(character.center()), i);
      all |= character;
    }
    QCOMPARE(described->offsetAtPoint(box.bottomRight() + QPoint(5, 5)), -1);
    const Qt::Alignment alignment = widget->alignment() & Qt::AlignHorizontal_Mask;
    const int off = alignment == Qt::AlignHCenter ? all.center().x() - box.center().x()
                    : alignment == Qt::AlignRight ? all.right() - box.right()
                                                  : all.left() - box.left();
    QVERIFY2(std::abs(off) <= 1, qPrintable(QStringLiteral("%1 pixels off").arg(off)));
    if (widget->wordWrap()) QVERIFY(all.height() > widget->fontMetrics().height());
  }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
