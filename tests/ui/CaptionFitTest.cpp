// Every caption of every window that takes interface texts is read whole in
// each of the nine languages: measured with the metrics of the control's own
// font against the room the control gives it.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <functional>

#include "scores/Tioitopp.h"
#include "scores/Topplista.h"
#include "ui/MenuFixture.h"
#include "windows/OvningFlagga.h"
#include "windows/OvningKarta.h"
#include "windows/OvningMulti.h"

using namespace landora;
using namespace landora::test;

namespace {

// The width and height a caption needs in its control, and the room there is.
struct Fit {
    QSize need;
    QSize room;
};

Fit ButtonFit(const QAbstractButton &button)
{
    const QFontMetrics metrics(button.font());
    QStyleOptionButton option;
    option.initFrom(&button);
    const QStyle &style = *button.style();
    QSize need(metrics.horizontalAdvance(button.text()), metrics.height());
    if (qobject_cast<const QCheckBox *>(&button) != nullptr) {
        need.rwidth() += style.pixelMetric(QStyle::PM_IndicatorWidth, &option, &button) +
                         style.pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, &button);
    } else {
        const int margin = style.pixelMetric(QStyle::PM_ButtonMargin, &option, &button) +
                           style.pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &button);
        need += QSize(2 * margin, 2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &button));
    }
    return {need, button.size()};
}

Fit LabelFit(const QLabel &label)
{
    const QFontMetrics metrics(label.font());
    const int indent = label.indent() > 0 ? label.indent() : 0;
    const QRect room = label.contentsRect().adjusted(label.margin() + indent, label.margin(),
                                                     -label.margin() - indent, -label.margin());
    if (!label.wordWrap())
        return {QSize(metrics.horizontalAdvance(label.text()), metrics.height()), room.size()};
    const QRect wrapped =
        metrics.boundingRect(QRect(0, 0, room.width(), 100000), Qt::TextWordWrap | label.alignment(), label.text());
    return {wrapped.size(), room.size()};
}

// "control: \"caption\" needs WxH, has WxH" for each caption of the window
// that does not fit; hidden controls and those of other windows are skipped.
QStringList Misfits(const QWidget &window)
{
    QStringList found;
    for (const QWidget *control : window.findChildren<QWidget *>()) {
        if (control->window() != &window || control->isHidden())
            continue;
        Fit fit;
        QString text;
        if (const auto *label = qobject_cast<const QLabel *>(control)) {
            if (label->text().isEmpty() || label->textFormat() == Qt::RichText)
                continue;
            text = label->text();
            fit = LabelFit(*label);
        } else if (const auto *button = qobject_cast<const QAbstractButton *>(control)) {
            if (button->text().isEmpty())
                continue;
            text = button->text();
            fit = ButtonFit(*button);
        } else {
            continue;
        }
        if (fit.need.width() > fit.room.width() || fit.need.height() > fit.room.height())
            found << QStringLiteral("%1: \"%2\" needs %3x%4, has %5x%6")
                         .arg(control->objectName(), text)
                         .arg(fit.need.width())
                         .arg(fit.need.height())
                         .arg(fit.room.width())
                         .arg(fit.room.height());
    }
    return found;
}

// The windows that take interface texts, each opened and shown over a main
// menu in the language under test. A new window is one more line here.
struct WindowUnderTest {
    const char *name;
    std::function<QWidget *(MenuFixture &)> open;
};

QWidget *Shown(QWidget *window)
{
    window->show();
    QApplication::processEvents();
    return window;
}

const std::vector<WindowUnderTest> &Windows()
{
    static const std::vector<WindowUnderTest> windows = {
        {"main menu", [](MenuFixture &f) -> QWidget * { return f.menu.get(); }},
        {"map window",
         [](MenuFixture &f) -> QWidget * {
             // The window keeps a copy of the context.
             const ExerciseContext context{&f.sound, &f.random, nullptr, &f.menu->State()};
             return Shown(new TfrmOvningKarta(f.menu->State(), context, f.sound, f.menu.get()));
         }},
        {"flag window",
         [](MenuFixture &f) -> QWidget * {
             const ExerciseContext context{&f.sound, &f.random, nullptr, &f.menu->State()};
             return Shown(new TfrmOvningFlagga(f.menu->State(), context, f.sound, f.menu.get()));
         }},
        {"multiple-choice window",
         [](MenuFixture &f) -> QWidget * {
             const ExerciseContext context{&f.sound, &f.random, nullptr, &f.menu->State()};
             return Shown(new TfrmOvningMulti(f.menu->State(), context, f.sound, f.menu.get()));
         }},
        {"top ten", [](MenuFixture &f) -> QWidget * { return Shown(new TfrmTioitopp(f.menu->State(), f.sound, f.menu.get())); }},
        {"top list", [](MenuFixture &f) -> QWidget * { return Shown(new TfrmTopplista(f.menu->State(), f.menu.get())); }},
        {"About", [](MenuFixture &f) -> QWidget * { return Shown(f.about); }},
    };
    return windows;
}

} // namespace

TEST(CaptionFit, EveryCaptionFitsItsControlInEveryLanguage)
{
    for (int language = 1; language <= LanguageCount; ++language) {
        MenuFixture f(language);
        f.Show();
        ASSERT_TRUE(f.boxes.boxes.empty());
        ASSERT_EQ(f.menu->State().settings.Language, language);
        for (const WindowUnderTest &window : Windows()) {
            QWidget *shown = window.open(f);
            for (const QString &misfit : Misfits(*shown))
                ADD_FAILURE() << window.name << ", " << LanguageNames[static_cast<std::size_t>(language - 1)] << ": "
                              << misfit.toStdString();
            if (shown != f.menu.get())
                shown->hide();
        }
    }
}
