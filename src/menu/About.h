#pragma once
// The About window, which is also where the player changes the five settings:
// sound effects, music, the clock, the large recording clock and the
// interface language. It is made once, with the main menu, and hidden between
// uses; OK writes the settings and, on a change of language, has the main
// menu load everything again in the new language.
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace landora {

class TfrmHuvudmeny;

// The version the About window shows.
inline constexpr const char *AboutVersion = "3.04";

class TfrmAbout : public QWidget {
    Q_OBJECT

public:
    // A window of the main menu's, which its ABOUT button shows.
    explicit TfrmAbout(TfrmHuvudmeny &menu);

    // ---- controls ----
    QLabel *lblVersion;
    QLabel *lblFreeware;
    QLabel *lblInfo;
    QLabel *lblLanguage;
    QComboBox *cboLanguage;
    QCheckBox *chkSound;
    QCheckBox *chkMusic;
    QCheckBox *chkShowTimer;
    QCheckBox *chkYoutube;
    QLabel *lblYoutube;
    QLabel *lblCapture;
    QLabel *lblCaptureLink;
    QLabel *lblWebSites;
    QLabel *lblWeb;
    QLabel *lblScoresLink;
    QLabel *lblCreditsLink;
    QPushButton *cmdCancel;
    QPushButton *cmdOK;

    // ---- handlers ----
    // Sets the boxes and the language list from the settings in memory.
    void FormShow();
    void cmdOKClick();
    void cmdCancelClick();

    // The language number of a name in the list; 0 for none.
    int LanguageOf(const QString &name) const;

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *MakeLink(const char *name, const QRect &geometry, const QString &text, const char *section);

    TfrmHuvudmeny &menu_;
};

} // namespace landora
