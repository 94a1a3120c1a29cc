#pragma once
// The flag window: up to sixteen flags on a board of four by four cells, a bar
// on top that asks for a country's flag, the score, the time and four buttons.
// A click on a cell becomes the cell number that the exercise judges.
#include <QImage>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <string>

#include "data/Colour.h"
#include "data/FixedArray.h"
#include "exercises/Ovning.h"
#include "exercises/OvningFlagga.h"
#include "windows/Ovningsformular.h"

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace landora {

class ISound;
struct ExerciseContext;
struct ProgramState;

// The picture control of the board: shows the board picture at its own size
// and reports presses of any mouse button in its pixels.
class TFlagImage : public QWidget {
public:
    explicit TFlagImage(QWidget *parent);

    QImage Board;
    std::function<void(int x, int y)> onMouseDown;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
};

class TfrmOvningFlagga : public TOvningsformular {
    Q_OBJECT

public:
    // `owner` is the main menu; the data and the "flags" folder are read from
    // `folder` (empty: the current directory, the program folder).
    TfrmOvningFlagga(ProgramState &state, const ExerciseContext &context, ISound &sound, QWidget *owner,
                     std::string folder = {});
    ~TfrmOvningFlagga() override;

    // Lays out the board, loads the exercise's areas, starts the run, shows
    // the window and draws the flags. Loading failures of the data files
    // propagate as exceptions; a flag picture that cannot be read does not.
    void StartExercise(COvning *exercise) override;

    // ---- what the exercise calls ----
    void VisaFraga(const std::string &text) override;
    void VisaProcent(int percent) override;

    // ---- controls ----
    QFrame *pnlFraga;
    QLabel *lblFraga;
    QLabel *lblProcent;
    QLabel *lblTid;
    QPushButton *cmdTopp;
    QPushButton *cmdStarta;
    QPushButton *cmdHjalp;
    QPushButton *cmdAvsluta;
    QFrame *pnlFlags;
    TFlagImage *imgFlags;
    QTimer *tmrRitaOm;
    QTimer *tmrBlinka;
    QTimer *tmrTid;

    // ---- operations ----
    // Loads the picture of every cell on the board; false when the window
    // went or its run was taken over while an error box was open.
    bool LoadFlags();
    void PaintGrid();
    void DrawFlags();
    void DrawFlagCell(int cell, Colour colour, bool withName);
    void FillCell(int cell, Colour colour);
    // The cell under a board pixel: 1..16 row by row.
    int CellAt(int x, int y) const;
    // The board pixels of a cell's inside, grid lines excluded.
    QRect CellInside(int cell) const;

    // ---- handlers ----
    // (x, y) in pixels of the board.
    void imgFlagsMouseDown(int x, int y);
    void tmrRitaOmTimer();
    void tmrBlinkaTimer();
    void tmrTidTimer();
    void cmdStartaClick();

    COvningFlagga *FlagExercise() const { return flagExercise_; }

    float CellWidth = 0.0f;
    float CellHeight = 0.0f;
    // The picture of each board cell, or a null image: no picture.
    FixedArray<QImage, COvningFlagga::MaxFlags> Flags;
    std::int32_t PendingCell = 0; // the cell whose name waits to be wiped; 0 none
    std::int32_t BlinkCount = 0;  // 0: not blinking
    std::int32_t Seconds = 0;
    AnswerPoint LastClick;

protected:
    void showEvent(QShowEvent *event) override;

    void BeforeEventsRun() override;
    void AfterLastHandler() override;
    void StopTimers() override;

private:
    void FormShow();
    void Layout();
    void LoadAreas();
    void EmptySlots();
    void EndOfRun();

    COvningFlagga *flagExercise_ = nullptr;
    bool shownOnce_ = false;
};

} // namespace landora
