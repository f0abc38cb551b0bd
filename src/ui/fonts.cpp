#include "ui/fonts.h"

#include <QFontDatabase>
#include <QRawFont>
#include <QStringList>
#include <algorithm>

namespace varostel::ui {
namespace {

const QString kSongFace = QStringLiteral("宋体");

// Point sizes of the four settings. The window's own font is the same face
// at 9 pt, small enough for 18-pixel entry fields and 17-pixel buttons.
constexpr double kLargePoints = 14.25;
constexpr double kMediumPoints = 10.5;
constexpr double kSmallPoints = 7.5;
constexpr double kDefaultPoints = 9;

}  // namespace

void install_song_face_substitutes() {
  // SimSun is the face's Latin name; the rest are free Song faces, the
  // first of them from fonts-arphic-uming, which the set-up installs.
  QFont::insertSubstitutions(
      kSongFace, {QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN"),
                  QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Source Han Serif SC")});
}

bool has_cjk_face() {
  const auto has_song = [](const QString& family) {
    // The family's own face: a QFont would fall back to boxes, which claim
    // every character.
    return QRawFont::fromFont(QFont(family)).supportsCharacter(U'宋');
  };
  // The faces fontconfig counts as Chinese answer at once on most machines;
  // another face may still have the glyph.
  const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
  if (std::any_of(chinese.begin(), chinese.end(), has_song)) return true;
  const QStringList all = QFontDatabase::families();
  return std::any_of(all.begin(), all.end(), has_song);
}

QFont control_font(FontCode code) {
  QFont font(kSongFace);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  font.setStrikeOut(false);
  switch (code) {
    case FontCode::Default:
      font.setPointSizeF(kDefaultPoints);
      break;
    case FontCode::Large:
      font.setPointSizeF(kLargePoints);
      break;
    case FontCode::Medium:
      font.setPointSizeF(kMediumPoints);
      break;
    case FontCode::Small:
      font.setPointSizeF(kSmallPoints);
      break;
    case FontCode::SmallUnderlined:
      font.setPointSizeF(kSmallPoints);
      font.setUnderline(true);
      break;
  }
  return font;
}

}  // namespace varostel::ui
