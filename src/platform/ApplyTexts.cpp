#include "platform/ApplyTexts.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

#include "data/Cp1252.h"
#include "data/TextTable.h"

namespace landora {

void SetTextTag(QObject *object, int tag)
{
    object->setProperty(TextTagProperty, tag);
}

int TextTag(const QObject *object)
{
    return object->property(TextTagProperty).toInt();
}

void ApplyTexts(QWidget *window, const TextTable &texts, int language)
{
    // findChildren lists the window's components in creation order.
    const auto children = window->findChildren<QWidget *>();
    for (QWidget *child : children) {
        const int tag = TextTag(child);
        if (tag == 0)
            continue;
        const QString text = FromCp1252(texts.Text(language, tag));
        if (auto *label = qobject_cast<QLabel *>(child)) {
            label->setText(text);
        } else if (auto *button = qobject_cast<QAbstractButton *>(child)) {
            // Check boxes and radio buttons are not buttons in this sense.
            if (qobject_cast<QCheckBox *>(button) == nullptr && qobject_cast<QRadioButton *>(button) == nullptr)
                button->setText(text);
        }
    }
    const int windowTag = TextTag(window);
    if (windowTag != 0)
        window->setWindowTitle(FromCp1252(texts.Text(language, windowTag)));
}

} // namespace landora
