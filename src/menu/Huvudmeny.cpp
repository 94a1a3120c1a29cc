#include "menu/Huvudmeny.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QFontMetrics>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <cmath>

#include "platform/ApplyTexts.h"
#include "platform/EventPump.h"
#include "platform/MessageBox.h"
#include "platform/Pictures.h"
#include "platform/ProgramFolder.h"
#include "platform/Random.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "platform/Sound.h"
#include "exercises/Catalogue.h"
#include "data/Cp1252.h"
#include "data/Errors.h"
#include "data/TextTable.h"
#include "scores/ScoreFile.h"
#include "scores/Topplista.h"
#include "windows/OvningKarta.h"
#include "windows/OvningFlagga.h"
#include "windows/OvningMulti.h"
#include "platform/Widgets.h"

namespace landora {

namespace {

constexpr int PanelWidth = 584;
constexpr int ExerciseRowHeight = 15;
constexpr int PanelHeight = 560;
constexpr Colour Navy = RGB(0, 0, 128);
constexpr Colour Lime = RGB(0, 255, 0);

constexpr std::array<const char *, PageCount> ContinentCodes = {"EUR", "NOR", "SYD", "ASI", "AFR", "AUS", "*"};
// Which page a click on land tries, in this order; the last match stays.
constexpr std::array<int, 6> ClickOrder = {5, 3, 2, 4, 1, 6};

Colour PixelColour(const QImage &image, int x, int y)
{
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return 0xFFFFFFFFu;
    const QRgb p = image.pixel(x, y);
    return RGB(static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
               static_cast<std::uint8_t>(qBlue(p)));
}

// The white panel: the two coloured columns, the frame of the small map and
// the footer bar are painted on it.
class MenuPanel : public QWidget {
public:
    MenuPanel(QWidget *parent, const SharedColours &colours) : QWidget(parent), colours_(colours) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setPen(Qt::black);
        p.drawRect(0, 0, width() - 1, height() - 1);
        const QColor frame = ToQColor(colours_.FrameColour);
        p.fillRect(8, 6, 161, 515, frame);
        p.fillRect(176, 6, 401, 515, frame);
        p.setBrush(Qt::NoBrush);
        p.drawRect(176, 12, 384, 131);
        p.fillRect(8, 528, 569, 25, ToQColor(Navy));
    }

private:
    const SharedColours &colours_;
};

} // namespace

int UsableLanguage(int stored)
{
    if (stored == ClosingLanguage || IsLanguage(stored))
        return stored;
    return DefaultLanguage;
}

TfrmHuvudmeny::TfrmHuvudmeny(MenuSetup setup) : QWidget(nullptr), setup_(std::move(setup))
{
    setObjectName(QStringLiteral("TfrmHuvudmeny"));
    setWindowTitle(QStringLiteral("Landora"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(600, 570);
    folder_ = setup_.Folder.empty() ? ProgramFolder() : setup_.Folder;

    panVit = new MenuPanel(this, state_.colours);
    panVit->setObjectName(QStringLiteral("panVit"));
    panVit->resize(PanelWidth, PanelHeight);

    imgLogo = Make<QLabel>(panVit, "imgLogo", {32, 47, 120, 423});
    imgLogo->setAttribute(Qt::WA_TranslucentBackground);
    imgLogo->setAlignment(Qt::AlignCenter);

    imgMap = Make<QLabel>(panVit, "imgMap", {183, 12, 386, 136});
    imgMap->installEventFilter(this);

    lblInstruktion = Make<QLabel>(panVit, "lblInstruktion", {185, 118, 381, 29});
    lblInstruktion->setAlignment(Qt::AlignCenter);
    lblInstruktion->setWordWrap(true);
    lblInstruktion->setFont(ArialPixels(12));
    lblInstruktion->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    lblInstruktion->setAttribute(Qt::WA_TransparentForMouseEvents);
    SetTextTag(lblInstruktion, 25);

    lstParts = Make<QListWidget>(panVit, "lstParts", {183, 148, 106, 253});
    lstParts->setFont(ArialPixels(13, true));
    // A long page name is cut at the list's edge rather than scrolled.
    lstParts->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    cboOvningar = Make<QListWidget>(panVit, "cboOvningar", {288, 148, 281, 253});
    cboOvningar->setFont(ArialPixels(12));

    cmdStarta = Make<QPushButton>(panVit, "cmdStarta", {184, 411, 193, 28});
    SetTextTag(cmdStarta, 1);
    cmdTioitopp = Make<QPushButton>(panVit, "cmdTioitopp", {380, 411, 191, 28});
    SetTextTag(cmdTioitopp, 2);
    cmdHjalp = Make<QPushButton>(panVit, "cmdHjalp", {184, 445, 193, 28});
    SetTextTag(cmdHjalp, 18);
    cmdOm = Make<QPushButton>(panVit, "cmdOm", {380, 445, 191, 28});
    SetTextTag(cmdOm, 5);
    cmdOm->setToolTip(QStringLiteral("Click here to change languages"));
    cmdAvsluta = Make<QPushButton>(panVit, "cmdAvsluta", {184, 480, 386, 28});
    SetTextTag(cmdAvsluta, 3);

    lblLank = Make<QLabel>(panVit, "lblLank", {8, 531, 568, 17});
    lblLank->setAlignment(Qt::AlignCenter);
    QFont linkFont = ArialPixels(12);
    linkFont.setUnderline(true);
    lblLank->setFont(linkFont);
    lblLank->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    lblLank->setCursor(Qt::PointingHandCursor);
    lblLank->setText(QStringLiteral("Find more free learning programs and read about Landora here"));
    lblLank->installEventFilter(this);

    tmrInstruktion = new QTimer(this);
    tmrInstruktion->setObjectName(QStringLiteral("tmrInstruktion"));
    tmrInstruktion->setInterval(200);

    // The instruction slides down behind the exercise list.
    lblInstruktion->raise();
    lstParts->raise();
    cboOvningar->raise();

    setTabOrder(cboOvningar, cmdStarta);
    setTabOrder(cmdStarta, cmdTioitopp);
    setTabOrder(cmdTioitopp, cmdOm);
    setTabOrder(cmdOm, cmdHjalp);
    setTabOrder(cmdHjalp, cmdAvsluta);
    setTabOrder(cmdAvsluta, lstParts);

    connect(lstParts, &QListWidget::itemClicked, this, [this] { lstPartsChosen(); });
    lstParts->installEventFilter(this);
    connect(cboOvningar, &QListWidget::itemClicked, this, [this] { cmdStarta->setEnabled(true); });
    connect(cboOvningar, &QListWidget::itemDoubleClicked, this, [this] { cmdStartaClick(); });
    connect(cmdStarta, &QPushButton::clicked, this, &TfrmHuvudmeny::cmdStartaClick);
    connect(cmdTioitopp, &QPushButton::clicked, this, &TfrmHuvudmeny::cmdTioitoppClick);
    connect(cmdHjalp, &QPushButton::clicked, this, &TfrmHuvudmeny::cmdHjalpClick);
    connect(cmdOm, &QPushButton::clicked, this, &TfrmHuvudmeny::cmdOmClick);
    connect(cmdAvsluta, &QPushButton::clicked, this, &TfrmHuvudmeny::cmdAvslutaClick);
    connect(tmrInstruktion, &QTimer::timeout, this, &TfrmHuvudmeny::tmrInstruktionTimer);

    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, &TfrmHuvudmeny::cmdHjalpClick);

    FormCreate();
}

TfrmHuvudmeny::~TfrmHuvudmeny()
{
    // The exercise windows go first, also those let go of and not yet
    // deleted: they refer to the catalogue's entries.
    const auto windows = findChildren<TOvningsformular *>(Qt::FindDirectChildrenOnly);
    qDeleteAll(windows);
}

std::string TfrmHuvudmeny::InFolder(const std::string &name) const
{
    if (folder_.empty())
        return name;
    return folder_ + "/" + name;
}

void TfrmHuvudmeny::FormCreate()
{
    for (int language = 1; language <= LanguageCount; ++language) {
        const std::string_view name = landora::LanguageNames[static_cast<std::size_t>(language - 1)];
        languageNames_[static_cast<std::size_t>(language - 1)] =
            QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    }

    // The colours by the display's colour count: 2 to the bits per pixel.
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int depth = screen != nullptr ? screen->depth() : 32;
    state_.colours = SharedColours::ForColourCount(std::pow(2.0, depth));

    state_.settings.SoundOn = true;
    state_.settings.MusicOn = true;

    // Relative data-file names resolve in the program folder.
    if (!folder_.empty())
        QDir::setCurrent(QString::fromStdString(folder_));
    // Where results are kept is decided once, here, and used for reading and
    // writing alike for the rest of the run.
    // An installed copy's folder is never written to: its scores go to the
    // user's data folder.
    if (state_.ScoreFilePath.empty())
        state_.ScoreFilePath = ChooseScoreFilePath(setup_.Folder.empty() ? WritableProgramFolder() : folder_);

    pump_ = std::make_unique<CQtEventPump>();
    if (setup_.Sound == nullptr)
        ownSound_ = std::make_unique<CSound>(state_.settings);
    if (setup_.Random == nullptr)
        ownRandom_ = std::make_unique<CClockRandom>();
    context_.Sound = setup_.Sound != nullptr ? setup_.Sound : ownSound_.get();
    context_.Random = setup_.Random != nullptr ? setup_.Random : ownRandom_.get();
    context_.Events = pump_.get();
    context_.State = &state_;

    if (!state_.Template.load(QString::fromStdString(InFolder("bmptest.bmp")), "BMP"))
        ShowMessage(this, QStringLiteral("File \"bmptest.bmp\" not found."), MessageIcon::Error);

    for (int page = 1; page <= PageCount; ++page) {
        QImage picture(QString::fromStdString(InFolder("continent" + std::to_string(page) + ".png")));
        pictures_[static_cast<std::size_t>(page - 1)] = picture.convertToFormat(QImage::Format_RGB32);
    }
    // The pictures are drawn centred on the small map: picture pixel = click
    // position - MapOffset. The Africa picture sets the size.
    const QImage &africa = pictures_[4];
    MapOffset = QPoint((imgMap->width() - africa.width()) / 2, (imgMap->height() - africa.height()) / 2);
}

void TfrmHuvudmeny::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous() && !shown_) {
        shown_ = true;
        // Centred on the screen it opens on, once: a later show after a
        // language change leaves the window where the player put it.
        if (const QScreen *screen = this->screen()) {
            const QRect area = screen->availableGeometry();
            const QSize frame = frameGeometry().size();
            move(area.x() + (area.width() - frame.width()) / 2, area.y() + (area.height() - frame.height()) / 2);
        }
        FormShow();
    }
}

void TfrmHuvudmeny::Fail(const QString &what, const std::string &message)
{
    ShowMessage(this,
                what + QStringLiteral("\nThe following problem occurred: ") + FromCp1252(message) +
                    QStringLiteral("\nLandora will be terminated."),
                MessageIcon::Error);
    closing_ = true;
    // Closed from the event loop: the handler that failed is still running.
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void TfrmHuvudmeny::FormShow()
{
    {
        WaitCursor wait;
        panVit->move((width() - PanelWidth) / 2, (height() - PanelHeight) / 2);
        // The margin around the panel is white too, not the style's grey.
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, Qt::white);
        setPalette(palette);
        setAutoFillBackground(true);
        mapPixmap_ = QPixmap(imgMap->size());
        mapPixmap_.fill(ToQColor(Navy));
        imgMap->setPixmap(mapPixmap_);
    }

    CSettingsStore store = OpenSettingsStore();
    store.Read(state_.settings);
    state_.settings.Language = UsableLanguage(state_.settings.Language);

    if (state_.settings.Language == ClosingLanguage) {
        closing_ = true;
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    } else {
        try {
            WaitCursor wait;
            // After a language change an exercise window may still be open
            // (the About window is not modal): it goes before its exercise.
            ReleaseBeforeReload();
            auto catalogue = std::make_unique<COvningar>();
            catalogue->LoadCatalogue(InFolder("Ovning.crp"));
            if (catalogue_ != nullptr && !findChildren<TOvningsformular *>(Qt::FindDirectChildrenOnly).isEmpty())
                retired_.push_back(std::move(catalogue_));
            catalogue_ = std::move(catalogue);
            state_.CurrentExercise = nullptr;
            CurrentPage = 1;
            FyllOvningslista(1);
            DrawPage(1);
            state_.texts.LoadTexts(InFolder("lang.crp"));
            ApplyTexts(this, state_.texts, state_.settings.Language);
            lstParts->clear();
            for (int t = TextNo::FirstPageName; t < TextNo::FirstPageName + PageCount; ++t)
                AddPageName(FromCp1252(state_.Text(t)));
            // Page 1 shows, yet no page row is chosen until the player picks one.
            lstParts->setCurrentRow(-1);
            cboOvningar->setFocus();
        } catch (const std::exception &error) {
            Fail(QStringLiteral("Oops! I failed to open the main menu."), error.what());
        }
    }
    ShowGif(imgLogo, "logo.gif", folder_);
}

CSettingsStore TfrmHuvudmeny::OpenSettingsStore() const
{
    return setup_.SettingsFile.isEmpty() ? CSettingsStore() : CSettingsStore(setup_.SettingsFile);
}

void TfrmHuvudmeny::StopSwitchedOffSound()
{
    if (ownSound_ != nullptr)
        ownSound_->StopSwitchedOff();
}

void TfrmHuvudmeny::ReleaseBeforeReload()
{
    FormActivate();
    const auto windows = findChildren<TOvningsformular *>(Qt::FindDirectChildrenOnly);
    for (TOvningsformular *window : windows) {
        QCoreApplication::sendPostedEvents(window, QEvent::DeferredDelete);
    }
    // What is left is in the middle of a handler; the replaced catalogue is
    // freed once the last of them is gone.
    for (TOvningsformular *window : findChildren<TOvningsformular *>(Qt::FindDirectChildrenOnly))
        connect(window, &QObject::destroyed, this, &TfrmHuvudmeny::FreeRetiredCatalogues, Qt::QueuedConnection);
}

void TfrmHuvudmeny::FreeRetiredCatalogues()
{
    if (findChildren<TOvningsformular *>(Qt::FindDirectChildrenOnly).isEmpty())
        retired_.clear();
}

void TfrmHuvudmeny::DrawPage(int page)
{
    if (page < 1 || page > PageCount)
        return;
    mapPixmap_ = QPixmap(imgMap->size());
    mapPixmap_.fill(ToQColor(Navy));
    {
        QPainter p(&mapPixmap_);
        p.drawImage(MapOffset, pictures_[static_cast<std::size_t>(page - 1)]);
    }
    imgMap->setPixmap(mapPixmap_);
}

void TfrmHuvudmeny::FyllOvningslista(int page)
{
    cboOvningar->clear();
    const std::string code =
        page >= 1 && page <= PageCount ? ContinentCodes[static_cast<std::size_t>(page - 1)] : std::string();
    if (code != "EUR")
        tmrInstruktion->start();
    if (catalogue_ == nullptr)
        return;
    const int language = state_.settings.Language;
    for (const COvning *e = catalogue_->First(); e != nullptr; e = e->Next) {
        if (e->Continent == code && !e->Title(language).empty()) {
            auto *item = new QListWidgetItem(FromCp1252(e->Title(language)), cboOvningar);
            item->setSizeHint(QSize(0, ExerciseRowHeight));
        }
    }
    // The first exercise is current and shown selected, so that Start and
    // Enter act on what the player sees.
    SelectExerciseRow(0);
}

void TfrmHuvudmeny::SelectExerciseRow(int row)
{
    if (row < 0 || row >= cboOvningar->count())
        return;
    cboOvningar->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    cmdStarta->setEnabled(true);
}

void TfrmHuvudmeny::SattVarldsdel(int page)
{
    CurrentPage = page;
    DrawPage(page);
    lstParts->setCurrentRow(page - 1);
    FyllOvningslista(page);
    if (context_.Sound != nullptr)
        context_.Sound->PlayWave("Plopp.WAV", 2);
}

void TfrmHuvudmeny::imgMapMouseDown(int x, int y)
{
    const int px = x - MapOffset.x();
    const int py = y - MapOffset.y();
    if (PixelColour(pictures_[5], px, py) == Navy) {
        SattVarldsdel(7);
    } else {
        const Colour world = PixelColour(pictures_[6], px, py);
        for (int page : ClickOrder) {
            if (PixelColour(pictures_[static_cast<std::size_t>(page - 1)], px, py) == world)
                SattVarldsdel(page);
        }
    }
    lstParts->setCurrentRow(CurrentPage - 1);
}

// A page name wider than the list is drawn a pixel or two smaller, down to
// 11 pixels, rather than cut: the list never scrolls sideways, and a cut
// name ("Amérique du N...") reads worse than a slightly smaller one.
void TfrmHuvudmeny::AddPageName(const QString &name)
{
    auto *item = new QListWidgetItem(name, lstParts);
    const int inner = lstParts->width() - 2 * lstParts->frameWidth();
    const int room = inner - 6;
    // Every row is 16 pixels high, whatever face its name is drawn in.
    item->setSizeHint(QSize(inner, 16));
    QFont font = lstParts->font();
    while (font.pixelSize() > 11 && QFontMetrics(font).horizontalAdvance(name) > room)
        font.setPixelSize(font.pixelSize() - 1);
    if (font != lstParts->font())
        item->setFont(font);
}

void TfrmHuvudmeny::lstPartsChosen()
{
    const int row = lstParts->currentRow();
    if (row >= 0)
        SattVarldsdel(row + 1);
}

void TfrmHuvudmeny::tmrInstruktionTimer()
{
    lblInstruktion->move(lblInstruktion->x(), lblInstruktion->y() + 2);
    if (cboOvningar->y() < lblInstruktion->y())
        tmrInstruktion->stop();
}

void TfrmHuvudmeny::cmdStartaClick()
{
    QListWidgetItem *item = cboOvningar->currentItem();
    if (item == nullptr || catalogue_ == nullptr || closing_)
        return;
    const std::string title = ToCp1252(item->text());
    try {
        WaitCursor wait;
        COvning *exercise = catalogue_->FindByName(title, state_.settings.Language);
        if (exercise == nullptr)
            return;
        state_.CurrentExercise = exercise;
        FormActivate();
        TOvningsformular *window = CreateWindowFor(*exercise);
        if (window == nullptr) {
            ShowMessage(this, QStringLiteral("This kind of exercise is not available yet."),
                        MessageIcon::Information);
            return;
        }
        window->StartExercise(exercise);
    } catch (const std::exception &error) {
        FormActivate();
        Fail(QStringLiteral("Oops! I failed to start the exercise."), error.what());
    }
}

TOvningsformular *TfrmHuvudmeny::CreateWindowFor(const COvning &exercise)
{
    if (exercise.Kind == "MULTI") {
        auto *window = new TfrmOvningMulti(state_, context_, *context_.Sound, this, folder_);
        frmOvningMulti_ = window;
        return window;
    }
    if (exercise.Kind == "FLAGG") {
        auto *window = new TfrmOvningFlagga(state_, context_, *context_.Sound, this, folder_);
        frmOvningFlagga_ = window;
        return window;
    }
    auto *window = new TfrmOvningKarta(state_, context_, *context_.Sound, this, folder_);
    frmOvningKarta_ = window;
    return window;
}

TfrmOvningKarta *TfrmHuvudmeny::MapWindow() const
{
    return frmOvningKarta_.data();
}

TfrmOvningFlagga *TfrmHuvudmeny::FlagWindow() const
{
    return frmOvningFlagga_.data();
}

TfrmOvningMulti *TfrmHuvudmeny::MultiWindow() const
{
    return frmOvningMulti_.data();
}

void TfrmHuvudmeny::FormActivate()
{
    for (TOvningsformular *window : {static_cast<TOvningsformular *>(frmOvningKarta_.data()),
                                     static_cast<TOvningsformular *>(frmOvningFlagga_.data()),
                                     static_cast<TOvningsformular *>(frmOvningMulti_.data())}) {
        if (window != nullptr)
            window->Release();
    }
    frmOvningKarta_ = nullptr;
    frmOvningFlagga_ = nullptr;
    frmOvningMulti_ = nullptr;
}

void TfrmHuvudmeny::cmdTioitoppClick()
{
    if (catalogue_ == nullptr)
        return;
    // A score file that cannot be read is reported, the list is not shown,
    // and the program goes on.
    try {
        ShowTopList(*catalogue_, this, state_);
    } catch (const std::exception &error) {
        ShowFailure(this, error);
    }
}

void TfrmHuvudmeny::cmdHjalpClick()
{
    OpenHelp(this, state_.settings.Language);
}

void TfrmHuvudmeny::cmdOmClick()
{
    // Not modal: the menu stays usable while the window is open.
    if (frmAbout_ == nullptr)
        return;
    frmAbout_->show();
    frmAbout_->raise();
    frmAbout_->activateWindow();
}

void TfrmHuvudmeny::cmdAvslutaClick()
{
    close();
}

void TfrmHuvudmeny::lblLankClick()
{
    OpenLink(QStringLiteral("#") + QString::fromLatin1(HelpSection::About), state_.settings.Language);
}

void TfrmHuvudmeny::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TfrmHuvudmeny::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        cmdHjalpClick();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TfrmHuvudmeny::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == imgMap && event->type() == QEvent::MouseButtonPress) {
        const QPoint p = static_cast<QMouseEvent *>(event)->position().toPoint();
        imgMapMouseDown(p.x(), p.y());
        return true;
    }
    if (watched == lblLank && event->type() == QEvent::MouseButtonPress) {
        lblLankClick();
        return true;
    }
    if (watched == lstParts && (event->type() == QEvent::KeyRelease)) {
        lstPartsChosen();
        return false;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace landora
