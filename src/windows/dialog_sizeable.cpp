#include "windows/dialog_sizeable.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <exception>

#include "windows/message_box.h"
#include "windows/window_placement.h"

namespace dravn {

namespace {

TImage* CornerPicture(const QString& name, Picture picture, int tag, const QString& hint, QWidget* parent) {
    auto* image = new TImage(name, parent);
    image->setFixedSize(18, 18);
    image->setPixmap(DrawPicture(picture, 18, Qt::white));
    image->setProperty("tag", tag);
    image->setToolTip(hint);
    return image;
}

}  // namespace

TDialogSizeableForm::TDialogSizeableForm(WindowContext& context, const QString& name, QWidget* parent)
    : TDialogForm(context, name, parent) {
    SetKeyPreview(true);
    HeaderLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    HeaderLabel->setIndent(10);
    SetHeaderColor(Qt::white);
    CloseImage->setPixmap(DrawPicture(Picture::Close, HeaderHeight, Qt::white));  // on the dark header

    TopRightPanel = new QFrame(Headerpanel);
    TopRightPanel->setObjectName("TopRightPanel");
    TopRightPanel->setFixedWidth(56);
    auto* grid = new QGridLayout(TopRightPanel);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setSpacing(8);
    MinimizeWindowImage =
        CornerPicture("MinimizeWindowImage", Picture::Minimize, 1002, "Minimer programmet", TopRightPanel);
    MaxWindowImage =
        CornerPicture("MaxWindowImage", Picture::Maximize, 1001,
                      "Hold nede shift-tasten for å maksimere til hele skjermen ", TopRightPanel);
    SetupImage = CornerPicture("SetupImage", Picture::Setup, 8, "Oppsett / Innstillinger", TopRightPanel);
    grid->addWidget(MinimizeWindowImage, 0, 0);
    grid->addWidget(MaxWindowImage, 0, 1);
    grid->addWidget(SetupImage, 1, 1);
    grid->setRowStretch(2, 1);
    HeaderRow->addWidget(TopRightPanel);

    WidthSizePanel = new QFrame(FirstPanel);
    WidthSizePanel->setObjectName("WidthSizePanel");
    WidthSizePanel->setFixedWidth(5);
    WidthSizePanel->setCursor(Qt::SizeHorCursor);
    WidthSizePanel->installEventFilter(this);
    MiddleRow->addWidget(WidthSizePanel);

    BottomPanel = new QFrame(FirstPanel);
    BottomPanel->setObjectName("BottomPanel");
    BottomPanel->setFixedHeight(6);
    BottomPanel->setCursor(Qt::SizeVerCursor);
    FillWith(BottomPanel, QColor(0xA6, 0xCA, 0xF0));  // sky blue
    BottomPanel->installEventFilter(this);
    auto* bottomRow = new QHBoxLayout(BottomPanel);
    bottomRow->setContentsMargins(0, 0, 0, 0);
    bottomRow->addStretch(1);
    Sizer = new QFrame(BottomPanel);
    Sizer->setObjectName("Sizer");
    Sizer->setFixedWidth(8);
    Sizer->setCursor(Qt::SizeFDiagCursor);
    FillWith(Sizer, QColor(0x80, 0x80, 0x80));
    Sizer->installEventFilter(this);
    bottomRow->addWidget(Sizer);
    static_cast<QVBoxLayout*>(FirstPanel->layout())->addWidget(BottomPanel);

    connect(MinimizeWindowImage, &TImage::clicked, this, [this] { MinimizeWindowImageClick(); });
    connect(MaxWindowImage, &TImage::clicked, this, [this] { MaxWindowImageClick(); });
    connect(SetupImage, &TImage::clicked, this, [this] { SetupImageClick(); });

    LoadDefaultColors();
    resize(1024, 640);
}

Rect TDialogSizeableForm::WinFrame() const {
    return Rect{settings().ReadIniInteger("WinFrameLeft"), settings().ReadIniInteger("WinFrameTop"),
                settings().ReadIniInteger("WinFrameWidth"), settings().ReadIniInteger("WinFrameHeight")};
}

void TDialogSizeableForm::SetHeaderColor(const QColor& color) {
    QPalette p = HeaderLabel->palette();
    p.setColor(QPalette::WindowText, color);
    HeaderLabel->setPalette(p);
}

void TDialogSizeableForm::SetDefaultPosition() {
    SetBounds(WinFrame());
    IsSized = 0;
}

bool TDialogSizeableForm::IsDefaultPosition() const {
    return Bounds() == WinFrame();
}

void TDialogSizeableForm::SetFullScreen() {
    const auto monitors = host().monitors();
    const Rect bounds = monitors.empty() ? Primary().bounds : monitors[CurrentMonitor()].bounds;
    SetBounds(bounds);
    IsSized = 1;
}

void TDialogSizeableForm::AdjustBorder() {
    const int border = FillsWorkArea(Bounds(), Primary()) ? 0 : BorderWidth;
    FrameLayout->setContentsMargins(border, border, border, border);
}

int TDialogSizeableForm::CurrentBorder() const {
    return FrameLayout->contentsMargins().left();
}

void TDialogSizeableForm::FormCreate() {
    TDialogForm::FormCreate();
    try {
        LoadDefaultColors();
        SizeX = 0;
        SizeY = 0;
        Sizeing = false;
        VertSizeing = false;
        HorSizeing = false;
        if (CtrlShiftDown())
            return;
        const std::string name = ComponentName();
        const StoredSize stored{settings().ReadIniInteger(name + "_WIDTH"),
                                settings().ReadIniInteger(name + "_HEIGHT"),
                                settings().ReadIniInteger(name + "_SIZED")};
        const Placement p =
            RestoreSizeableSize(Placement{Bounds(), IsSized}, stored, false, WinFrame(), Primary().workArea);
        SetBounds(p.rect);
        IsSized = p.IsSized;
    } catch (const std::exception&) {
        ShowCenteredMessage("-- Feil i TDialogSizeableForm.FormCreate ");
    }
}

void TDialogSizeableForm::FormShow() {
    TDialogForm::FormShow();
    const ShowPlacement s =
        PlaceOnShow(settings().ReadIniInteger("s_SetupNewWindow"), Bounds(), WinFrame(), host().monitors());
    SetBounds(s.rect);
    if (s.IsSized)
        IsSized = *s.IsSized;
    if (s.makeNormal && isMinimized())
        showNormal();
    AdjustBorder();
}

void TDialogSizeableForm::FormClose() {
    TDialogForm::FormClose();
    const std::string name = ComponentName();
    settings().WriteIniInteger(name + "_WIDTH", width());
    settings().WriteIniInteger(name + "_HEIGHT", height());
}

void TDialogSizeableForm::FormActivate() {
    TDialogForm::FormActivate();
    SetHeaderColor(Qt::white);
}

void TDialogSizeableForm::FormDeactivate() {
    SetHeaderColor(QColor(0xC0, 0xC0, 0xC0));  // silver
}

bool TDialogSizeableForm::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    const auto held = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (key != Qt::Key_F11 || (modifiers & held))
        return false;
    const F11Toggle t = ToggleWorkArea(Bounds(), Primary().workArea, WinFrame());
    if (t.toDefaultFrame) {
        SetDefaultPosition();
    } else {
        SetBounds(t.rect);
        AdjustBorder();
    }
    return true;
}

void TDialogSizeableForm::HeaderLabelMouseUp() {
    TDialogForm::HeaderLabelMouseUp();
    AdjustBorder();
}

void TDialogSizeableForm::LoadDefaultColors() {
    TDialogForm::LoadDefaultColors();
    if (Headerpanel)
        FillWith(Headerpanel, ToQColor(context().colors.HeaderColor));
    if (WidthSizePanel)
        FillWith(WidthSizePanel, ToQColor(context().colors.PanelColor));
}

void TDialogSizeableForm::SizerMouseDown(QPoint position) {
    SizeX = position.x();
    SizeY = position.y();
    Sizeing = true;
}

void TDialogSizeableForm::SizerMouseMove(QPoint position) {
    if (!Sizeing)
        return;
    SetBounds(ResizeBy(Bounds(), true, true, Point{position.x(), position.y()}, Point{SizeX, SizeY}));
    IsSized = 1;
}

void TDialogSizeableForm::SizerMouseUp() {
    Sizeing = false;
    AdjustBorder();
}

void TDialogSizeableForm::BottomPanelMouseDown() {
    VertSizeing = true;
}

void TDialogSizeableForm::WidthSizePanelMouseDown() {
    HorSizeing = true;
}

void TDialogSizeableForm::BottomPanelMouseMove(QPoint position) {
    if (!VertSizeing && !HorSizeing)
        return;
    SetBounds(
        ResizeBy(Bounds(), HorSizeing, VertSizeing, Point{position.x(), position.y()}, Point{SizeX, SizeY}));
    IsSized = 1;
}

void TDialogSizeableForm::BottomPanelMouseUp() {
    VertSizeing = false;
    HorSizeing = false;
    AdjustBorder();
}

void TDialogSizeableForm::MaxWindowImageClick() {
    if (host().shiftKeyDown()) {
        SetDefaultPosition();
    } else {
        ShowWindowPicker();
        IsSized = 1;
    }
    AdjustBorder();
}

void TDialogSizeableForm::MinimizeWindowImageClick() {
    const auto notNormal = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
    if (!(windowState() & notNormal))
        showMinimized();
    else
        showNormal();
}

void TDialogSizeableForm::ShowWindowPicker() {
    if (context().showWindowPicker)
        context().showWindowPicker(*this);
}

bool TDialogSizeableForm::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    const bool press = type == QEvent::MouseButtonPress;
    const bool move = type == QEvent::MouseMove;
    const bool release = type == QEvent::MouseButtonRelease;
    if ((watched == Sizer || watched == BottomPanel || watched == WidthSizePanel) &&
        (press || move || release)) {
        auto* me = static_cast<QMouseEvent*>(event);
        const QPoint pos = me->position().toPoint();
        if ((press || release) && me->button() != Qt::LeftButton)
            return true;
        if (watched == Sizer) {
            if (press)
                SizerMouseDown(pos);
            else if (move)
                SizerMouseMove(pos);
            else
                SizerMouseUp();
        } else {
            if (press && watched == BottomPanel)
                BottomPanelMouseDown();
            else if (press)
                WidthSizePanelMouseDown();
            else if (move)
                BottomPanelMouseMove(pos);
            else
                BottomPanelMouseUp();
        }
        return true;
    }
    return TDialogForm::eventFilter(watched, event);
}

}  // namespace dravn
