#include "menu/About.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <algorithm>

#include "menu/Huvudmeny.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "platform/Widgets.h"

namespace landora {

namespace {

constexpr int Width = 529;
constexpr int Height = 471;
// Where the thin lines between the window's parts run.
constexpr int SeparatorRows[] = {36, 83, 128, 176, 312};
constexpr const char *LinkTargetProperty = "linkTarget";

template <typename T>
T *MakeControl(QWidget *parent, const char *name, const QRect &geometry, const QString &text = {})
{
    auto *w = new T(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(geometry);
    if constexpr (requires { w->setText(text); })
        w->setText(text);
    return w;
}

} // namespace

TfrmAbout::TfrmAbout(TfrmHuvudmeny &menu)
    : QWidget(&menu, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), menu_(menu)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Landora"));
    setFixedSize(Width, Height);
    setFont(ArialPixels(12));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    const QFont bold = ArialPixels(12, true);
    lblVersion = MakeControl<QLabel>(this, "lblVersion", {71, 14, 140, 16}, QStringLiteral("Landora version "));
    lblVersion->setFont(bold);
    // Two blanks between the word and the number.
    lblVersion->setText(lblVersion->text() + QStringLiteral(" ") + QString::fromLatin1(AboutVersion));
    lblFreeware = MakeControl<QLabel>(this, "lblFreeware", {215, 14, 80, 16}, QStringLiteral("Freeware"));
    lblFreeware->setFont(bold);
    lblInfo = MakeControl<QLabel>(this, "lblInfo", {71, 54, 358, 16},
                           QStringLiteral("Made by the Landora project from open maps and open data."));
    lblInfo->setWordWrap(true);

    lblLanguage = MakeControl<QLabel>(this, "lblLanguage", {72, 96, 80, 16}, QStringLiteral("Language:"));
    lblLanguage->setFont(bold);
    cboLanguage = MakeControl<QComboBox>(this, "cboLanguage", {160, 93, 299, 22});
    cboLanguage->setMaxVisibleItems(14);

    chkSound = MakeControl<QCheckBox>(this, "chkSound", {72, 144, 113, 21}, QStringLiteral("Sound Effects"));
    chkMusic = MakeControl<QCheckBox>(this, "chkMusic", {201, 144, 112, 21}, QStringLiteral("Music"));
    chkShowTimer = MakeControl<QCheckBox>(this, "chkShowTimer", {321, 144, 120, 21}, QStringLiteral("Display timer"));
    chkYoutube = MakeControl<QCheckBox>(this, "chkYoutube", {73, 184, 256, 21},
                                 QStringLiteral("Display extra large, Youtube-friendly timer"));

    // We have no web site or video channel: the links open the parts of our
    // help file that tell the same.
    lblYoutube = MakeLink("lblYoutube", {71, 213, 269, 21}, QStringLiteral("The large timer, for recording your games"),
                          HelpSection::Settings);
    lblCapture = MakeControl<QLabel>(this, "lblCapture", {71, 238, 382, 32},
                              QStringLiteral("Recording a video needs a screen-capture program, for example "
                                             "OBS Studio, which is free and runs on Linux."));
    lblCapture->setWordWrap(true);
    lblCaptureLink = MakeLink("lblCaptureLink", {71, 277, 269, 21}, QStringLiteral("Recording the screen: read the help"),
                              HelpSection::Settings);
    lblWebSites = MakeControl<QLabel>(this, "lblWebSites", {71, 322, 350, 16},
                               QStringLiteral("You are welcome to read more in Landora's help:"));
    lblWeb = MakeLink("lblWeb", {71, 349, 269, 21}, QStringLiteral("How to play"), HelpSection::Playing);
    lblScoresLink = MakeLink("lblScoresLink", {71, 372, 269, 22}, QStringLiteral("Scores, top ten and top list"),
                             HelpSection::Scores);
    lblCreditsLink = MakeLink("lblCreditsLink", {71, 396, 269, 22},
                              QStringLiteral("Where the maps and sounds come from"), HelpSection::Credits);

    cmdCancel = MakeControl<QPushButton>(this, "cmdCancel", {72, 426, 193, 33}, QStringLiteral("Cancel"));
    cmdOK = MakeControl<QPushButton>(this, "cmdOK", {272, 426, 189, 33}, QStringLiteral("OK"));
    cmdOK->setDefault(true);

    setTabOrder(cmdOK, chkSound);
    setTabOrder(chkSound, chkMusic);
    setTabOrder(chkMusic, chkShowTimer);
    setTabOrder(chkShowTimer, cboLanguage);
    setTabOrder(cboLanguage, cmdCancel);
    setTabOrder(cmdCancel, chkYoutube);

    connect(cmdOK, &QPushButton::clicked, this, &TfrmAbout::cmdOKClick);
    connect(cmdCancel, &QPushButton::clicked, this, &TfrmAbout::cmdCancelClick);
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this,
            [this] { OpenHelp(this, menu_.State().settings.Language, QString::fromLatin1(HelpSection::Settings)); });

    // The nine names, in alphabetical order.
    QStringList names;
    for (const QString &name : menu_.LanguageNames())
        names << name;
    std::sort(names.begin(), names.end());
    cboLanguage->addItems(names);

    menu_.SetAboutWindow(this);
}

QLabel *TfrmAbout::MakeLink(const char *name, const QRect &geometry, const QString &text, const char *section)
{
    auto *link = MakeControl<QLabel>(this, name, geometry, text);
    QFont font = ArialPixels(12, true);
    font.setUnderline(true);
    link->setFont(font);
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    link->setPalette(palette);
    link->setCursor(Qt::PointingHandCursor);
    link->setProperty(LinkTargetProperty, QStringLiteral("#") + QString::fromLatin1(section));
    link->installEventFilter(this);
    return link;
}

void TfrmAbout::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (const QScreen *screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        const QSize frame = frameGeometry().size();
        move(area.x() + (area.width() - frame.width()) / 2, area.y() + (area.height() - frame.height()) / 2);
    }
    FormShow();
}

void TfrmAbout::FormShow()
{
    const Settings &settings = menu_.State().settings;
    chkShowTimer->setChecked(settings.ShowTimer);
    chkSound->setChecked(settings.SoundOn);
    chkMusic->setChecked(settings.MusicOn);
    chkYoutube->setChecked(settings.BigTimer);
    // The language is chosen when the window is shown, not each time it
    // becomes active: a player who picks a language and then follows a link
    // comes back to the choice made, not to the stored one.
    if (IsLanguage(settings.Language))
        cboLanguage->setCurrentIndex(
            cboLanguage->findText(menu_.LanguageNames()[static_cast<std::size_t>(settings.Language - 1)]));
}

void TfrmAbout::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QColor frame = ToQColor(menu_.State().colours.FrameColour);
    p.fillRect(8, 12, 53, 445, frame);
    p.fillRect(468, 12, 53, 445, frame);
    p.setPen(QColor(192, 192, 192));
    for (int y : SeparatorRows)
        p.drawLine(61, y, 467, y);
}

int TfrmAbout::LanguageOf(const QString &name) const
{
    for (int language = 1; language <= LanguageCount; ++language)
        if (menu_.LanguageNames()[static_cast<std::size_t>(language - 1)] == name)
            return language;
    return 0;
}

void TfrmAbout::cmdOKClick()
{
    try {
        CSettingsStore store = menu_.OpenSettingsStore();
        store.OpenForWriting();
        Settings &settings = menu_.State().settings;
        settings.MusicOn = chkMusic->isChecked();
        settings.SoundOn = chkSound->isChecked();
        settings.ShowTimer = chkShowTimer->isChecked();
        settings.BigTimer = chkYoutube->isChecked();
        menu_.StopSwitchedOffSound();
        const int language = LanguageOf(cboLanguage->currentText());
        if (language != 0 && language != settings.Language) {
            // The options and the language reach the file together; the
            // menu takes the language once it is stored.
            store.WriteOptionsAndLanguage(settings, language);
            settings.Language = language;
            menu_.FormShow();
        } else {
            store.WriteOptions(settings);
        }
    } catch (const std::exception &) {
        ShowMessage(this, QStringLiteral("Could not write to the registry"), MessageIcon::Information);
    }
    close();
}

void TfrmAbout::cmdCancelClick()
{
    close();
}

bool TfrmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const QVariant target = watched->property(LinkTargetProperty);
        if (target.isValid()) {
            OpenLink(target.toString(), menu_.State().settings.Language);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace landora
