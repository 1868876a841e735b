// TDialogForm: the borderless window base of almost every window of the program. A frame of its
// own replaces the system frame: a thin border in FrameColor, a 55-pixel header with a close
// picture and a title that drags the window, and a hidden progress bar for subclasses. The
// window's left and top edges are stored under its component name (objectName) when it closes
// and restored, checked against the monitors, when a window of that name is created.
//
// A subclass builds its controls in its constructor, inside ClientPanel (a QVBoxLayout is set on
// it). FormCreate runs once, before the window is first shown (or at EnsureCreated), so that it
// sees the subclass's size. ShowModal runs the window modally and returns its ModalResult.
#pragma once

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <string>

#include "foundation/host.h"
#include "windows/window_context.h"

class QEventLoop;
class QFrame;
class QHBoxLayout;
class QProgressBar;
class QVBoxLayout;

namespace dravn {

// The pictures of the framework windows, drawn at run time.
enum class Picture { Close, Menu, Apply, Cancel, Minimize, Maximize, Setup };
QPixmap DrawPicture(Picture picture, int size, const QColor& color);

// A picture that reacts to a click (a release of the left button over it).
class TImage : public QLabel {
    Q_OBJECT
  public:
    TImage(const QString& name, QWidget* parent);
  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

QColor ToQColor(const Rgb& rgb);
// Paints the widget's background in the colour.
void FillWith(QWidget* widget, const QColor& color);

class TDialogForm : public QWidget {
    Q_OBJECT
  public:
    // The results of a modal window.
    enum ModalResultCode { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

    // `name` is the component name: the objectName and the prefix of the position keys.
    TDialogForm(WindowContext& context, const QString& name, QWidget* parent = nullptr);
    ~TDialogForm() override;

    // Runs FormCreate if it has not run yet (the first show does it otherwise).
    void EnsureCreated();
    // Shows the window modally; returns its ModalResult when it has closed.
    int ShowModal();
    bool IsModalRunning() const { return modalLoop_ != nullptr; }
    int ModalResult() const { return ModalResult_; }
    // A result other than mrNone closes a modal window.
    void SetModalResult(int result);

    // The window's bounds in desktop coordinates.
    Rect Bounds() const;
    void SetBounds(const Rect& r);

    QString HeaderText() const;
    void SetHeaderText(const QString& text);
    std::string ComponentName() const { return objectName().toStdString(); }

    // Centres the window on the primary work area; IsSized becomes 0.
    virtual void CenterWindow();

    // Buttons pressed by Enter (when the focused control does not take it) and by Esc.
    void SetDefaultButton(QPushButton* button) { defaultButton_ = button; }
    void SetCancelButton(QPushButton* button) { cancelButton_ = button; }
    // Key preview: FormKeyDown sees every key pressed in the window before its controls do.
    void SetKeyPreview(bool on);

    // 1 when the position (and size) was set by the user or restored; 0 when centred or put on
    // the default frame. Stored as name + "_SIZED".
    int IsSized = 0;
    int StartX = 0;
    int StartY = 0;
    bool Drag = false;
    QString LastHeader;

    // Controls, by their designer names.
    QFrame* FirstPanel = nullptr;
    QFrame* Headerpanel = nullptr;
    TImage* WhiteMenuImage = nullptr;
    TImage* CloseImage = nullptr;
    QLabel* HeaderLabel = nullptr;
    TImage* ApplyImage = nullptr;
    TImage* CancelImage = nullptr;
    QProgressBar* Bar = nullptr;
    // Where a subclass puts its controls: between the header and the progress bar.
    QWidget* ClientPanel = nullptr;

  protected:
    WindowContext& context() const { return context_; }
    Settings& settings() const { return context_.settings; }
    const Host& host() const { return context_.host; }
    // The primary monitor (first of the Host's monitors).
    Monitor Primary() const;
    // Index of the monitor the window is on.
    int CurrentMonitor() const;
    bool CtrlShiftDown() const { return host().ctrlKeyDown() && host().shiftKeyDown(); }

    virtual void FormCreate();
    virtual void FormShow() {}
    virtual void FormActivate();
    virtual void FormDeactivate() {}
    // False keeps the window open.
    virtual bool FormCloseQuery() { return true; }
    virtual void FormClose();
    // True when the key was handled.
    virtual bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    virtual void FormGesture();
    virtual void HeaderLabelMouseDown(QPoint position);
    virtual void HeaderLabelMouseMove(QPoint position);
    virtual void HeaderLabelMouseUp();
    virtual void CloseImageClick();
    virtual void WhiteMenuImageClick() {}
    virtual void LoadDefaultColors();

    // The layout of the window itself; its margins are the border.
    QVBoxLayout* FrameLayout = nullptr;
    // The row holding ClientPanel (sizeable windows add their right strip to it).
    QHBoxLayout* MiddleRow = nullptr;
    // The header row (sizeable windows add their corner pictures to it).
    QHBoxLayout* HeaderRow = nullptr;

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    WindowContext& context_;
    bool created_ = false;
    bool keyPreview_ = false;
    int ModalResult_ = mrNone;
    QEventLoop* modalLoop_ = nullptr;
    QPointer<QPushButton> defaultButton_;
    QPointer<QPushButton> cancelButton_;
};

}  // namespace dravn
