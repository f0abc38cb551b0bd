// Labels and push buttons whose text stays whole whatever CJK face stands in
// for "宋体": a face with a taller line than AR PL UMing's would cut its glyphs
// at the bottom of the fixed-height controls.
#pragma once

class QLabel;
class QWidget;

namespace varostel::ui {

// Keeps the text of every label inside `window` now uncut at the label's
// bottom edge, whatever text it is given later. Where Qt's own placement
// cuts no ink, nothing changes. Otherwise the text moves up just enough for
// the face's Han glyphs to fit, so that the labels of one row keep one
// baseline; where even that cannot fit, it moves up as far as its own ink
// allows, and a text taller than its label is drawn in the largest pixel
// size that fits. It is placed again whenever it or the label's size has
// changed by the time the label is drawn.
void keep_label_texts_whole(QWidget& window);

// Keeps the text of every push button inside `window` uncut by the button's
// frame: where the face's line fits the button's contents nothing changes,
// else the text is drawn in the largest pixel size whose ink fits there.
void keep_button_texts_whole(QWidget& window);

// The same for one top-aligned label; its font at this call is the size it
// returns to whenever that fits.
void keep_label_text_whole(QLabel& label);

}  // namespace varostel::ui
