// TDialogSizeableForm: the dialog window base extended for main windows. The user resizes it by
// its bottom strip, its right strip and its corner; minimise and maximise pictures sit in the
// header's top-right corner; F11 toggles between the work area and the user's default frame
// ("WinFrameLeft", "WinFrameTop", "WinFrameWidth", "WinFrameHeight"); the size is stored as
// name + "_WIDTH" and name + "_HEIGHT" beside the position; "s_SetupNewWindow" decides where a
// newly shown window goes.
#pragma once

#include "windows/dialog.h"

class QFrame;

namespace dravn {

class TDialogSizeableForm : public TDialogForm {
    Q_OBJECT
  public:
    TDialogSizeableForm(WindowContext& context, const QString& name, QWidget* parent = nullptr);

    // The window on the user's default frame; IsSized becomes 0.
    void SetDefaultPosition();
    // True exactly when the window lies on the default frame.
    bool IsDefaultPosition() const;
    // The window on the whole monitor it is on (task bar included); IsSized becomes 1.
    void SetFullScreen();
    // No border for a window that fills the work area, the 2-pixel border otherwise.
    void AdjustBorder();
    // The border width in use (0 or BorderWidth).
    int CurrentBorder() const;

    int SizeX = 0;
    int SizeY = 0;
    bool Sizeing = false;
    bool VertSizeing = false;
    bool HorSizeing = false;

    QFrame* TopRightPanel = nullptr;
    TImage* MinimizeWindowImage = nullptr;
    TImage* MaxWindowImage = nullptr;
    TImage* SetupImage = nullptr;
    QFrame* BottomPanel = nullptr;
    QFrame* Sizer = nullptr;
    QFrame* WidthSizePanel = nullptr;

  protected:
    void FormCreate() override;
    void FormShow() override;
    void FormClose() override;
    void FormActivate() override;
    void FormDeactivate() override;
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void HeaderLabelMouseUp() override;
    void LoadDefaultColors() override;

    virtual void SizerMouseDown(QPoint position);
    virtual void SizerMouseMove(QPoint position);
    virtual void SizerMouseUp();
    virtual void BottomPanelMouseDown();
    virtual void WidthSizePanelMouseDown();
    virtual void BottomPanelMouseMove(QPoint position);
    virtual void BottomPanelMouseUp();
    virtual void MaxWindowImageClick();
    virtual void MinimizeWindowImageClick();
    virtual void SetupImageClick() {}
    // Opens the placement picker for this window (the context's hook; nothing without one).
    virtual void ShowWindowPicker();

    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Rect WinFrame() const;
    void SetHeaderColor(const QColor& color);
};

}  // namespace dravn
