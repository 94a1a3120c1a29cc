#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

#include "platform/ApplyTexts.h"
#include "data/Errors.h"
#include "data/TextTable.h"

using namespace landora;

namespace {

struct Window {
    QWidget window;
    QPushButton *start = new QPushButton("S T A R T A", &window);
    QLabel *tagged = new QLabel("designed", &window);
    QLabel *untagged = new QLabel("kept", &window);
    QCheckBox *check = new QCheckBox("box", &window);

    Window()
    {
        SetTextTag(start, 1);
        SetTextTag(tagged, 25);
        SetTextTag(check, 1);
        SetTextTag(&window, 11);
        window.setWindowTitle("High scores");
    }
};

} // namespace

TEST(ApplyTexts, TaggedButtonsLabelsAndTheWindowTakeTheLanguage)
{
    TextTable texts;
    texts.SetText(2, 1, "S T A R T");
    texts.SetText(7, 1, "S T A R T  D K");
    texts.SetText(2, 11, "Top ten");
    Window w;

    ApplyTexts(&w.window, texts, 2);
    EXPECT_EQ(w.start->text(), "S T A R T");
    EXPECT_EQ(w.tagged->text(), "") << "an empty text makes an empty caption, no fallback";
    EXPECT_EQ(w.untagged->text(), "kept");
    EXPECT_EQ(w.check->text(), "box") << "check boxes keep their captions whatever their tag";
    EXPECT_EQ(w.window.windowTitle(), "Top ten");

    ApplyTexts(&w.window, texts, 7);
    EXPECT_EQ(w.start->text(), "S T A R T  D K");
    ApplyTexts(&w.window, texts, 2);
    EXPECT_EQ(w.start->text(), "S T A R T");

    EXPECT_THROW(ApplyTexts(&w.window, texts, 10), ERangeError);
}
