#pragma once
// Windows are designed with text numbers instead of words: a button, a label
// or the window itself carries a number in its "textTag" property, and the
// texts of the current language replace the designed captions when the window
// is shown.
#include <QWidget>

namespace landora {

class TextTable;

inline constexpr const char *TextTagProperty = "textTag";

void SetTextTag(QObject *object, int tag);
int TextTag(const QObject *object);

// Gives buttons and labels with a non-zero tag, and the window itself, the
// texts of `language`. Other kinds of control keep their captions whatever
// their tag. A tag or language out of range fails with ERangeError.
void ApplyTexts(QWidget *window, const TextTable &texts, int language);

} // namespace landora
