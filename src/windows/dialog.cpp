#include "windows/dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFrame>
#include <QGestureEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPinchGesture>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "windows/window_placement.h"

namespace dravn {

namespace {

// A rotation of at least this many degrees counts as the rotate gesture that closes a window.
constexpr qreal kRotateGestureDegrees = 45.0;

}  // namespace

void FillWith(QWidget* w, const QColor& color) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, color);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QColor ToQColor(const Rgb& rgb) {
    return QColor(rgb.r, rgb.g, rgb.b);
}

QPixmap DrawPicture(Picture picture, int size, const QColor& color) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    QPen pen(color, std::max(1.5, s / 12.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    switch (picture) {
        case Picture::Close:
            p.drawLine(QPointF(s * 0.36, s * 0.36), QPointF(s * 0.64, s * 0.64));
            p.drawLine(QPointF(s * 0.64, s * 0.36), QPointF(s * 0.36, s * 0.64));
            break;
        case Picture::Menu:
            for (qreal y : {0.38, 0.5, 0.62})
                p.drawLine(QPointF(s * 0.34, s * y), QPointF(s * 0.66, s * y));
            break;
        case Picture::Apply:
            p.drawPolyline(QPolygonF(
                {QPointF(s * 0.22, s * 0.52), QPointF(s * 0.42, s * 0.72), QPointF(s * 0.78, s * 0.3)}));
            break;
        case Picture::Cancel:
            p.drawEllipse(QRectF(s * 0.15, s * 0.15, s * 0.7, s * 0.7));
            p.drawLine(QPointF(s * 0.35, s * 0.35), QPointF(s * 0.65, s * 0.65));
            p.drawLine(QPointF(s * 0.65, s * 0.35), QPointF(s * 0.35, s * 0.65));
            break;
        case Picture::Minimize:
            p.drawLine(QPointF(s * 0.2, s * 0.75), QPointF(s * 0.8, s * 0.75));
            break;
        case Picture::Maximize:
            p.drawRect(QRectF(s * 0.2, s * 0.2, s * 0.6, s * 0.6));
            break;
        case Picture::Setup: {
            // A cog: a ring with six teeth.
            p.translate(s / 2, s / 2);
            for (int i = 0; i < 6; ++i) {
                p.drawLine(QPointF(0, -s * 0.28), QPointF(0, -s * 0.42));
                p.rotate(60);
            }
            p.drawEllipse(QPointF(0, 0), s * 0.24, s * 0.24);
            break;
        }
    }
    return pixmap;
}

TImage::TImage(const QString& name, QWidget* parent) : QLabel(parent) {
    setObjectName(name);
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::PointingHandCursor);
}

void TImage::mousePressEvent(QMouseEvent* event) {
    event->setAccepted(event->button() == Qt::LeftButton);
}

void TImage::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        event->accept();
        emit clicked();
        return;
    }
    event->ignore();
}

TDialogForm::TDialogForm(WindowContext& context, const QString& name, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), context_(context) {
    setObjectName(name);
    QFont f = font();
    f.setPixelSize(16);
    setFont(f);

    FrameLayout = new QVBoxLayout(this);
    FrameLayout->setContentsMargins(BorderWidth, BorderWidth, BorderWidth, BorderWidth);
    FrameLayout->setSpacing(0);
    FrameLayout->setSizeConstraint(QLayout::SetNoConstraint);

    FirstPanel = new QFrame(this);
    FirstPanel->setObjectName("FirstPanel");
    FirstPanel->setFrameShape(QFrame::NoFrame);
    FrameLayout->addWidget(FirstPanel);
    auto* firstLayout = new QVBoxLayout(FirstPanel);
    firstLayout->setContentsMargins(0, 0, 0, 0);
    firstLayout->setSpacing(0);

    Headerpanel = new QFrame(FirstPanel);
    Headerpanel->setObjectName("Headerpanel");
    Headerpanel->setFixedHeight(HeaderHeight);
    QFont light = font();
    light.setWeight(QFont::Light);
    Headerpanel->setFont(light);
    firstLayout->addWidget(Headerpanel);
    HeaderRow = new QHBoxLayout(Headerpanel);
    HeaderRow->setContentsMargins(0, 0, 0, 0);
    HeaderRow->setSpacing(0);

    WhiteMenuImage = new TImage("WhiteMenuImage", Headerpanel);
    WhiteMenuImage->setFixedSize(HeaderHeight, HeaderHeight);
    WhiteMenuImage->setPixmap(DrawPicture(Picture::Menu, HeaderHeight, Qt::white));
    WhiteMenuImage->hide();
    HeaderRow->addWidget(WhiteMenuImage);

    CloseImage = new TImage("CloseImage", Headerpanel);
    CloseImage->setFixedSize(HeaderHeight, HeaderHeight);
    CloseImage->setPixmap(DrawPicture(Picture::Close, HeaderHeight, QColor(0x55, 0x6B, 0x2F)));
    HeaderRow->addWidget(CloseImage);

    HeaderLabel = new QLabel(Headerpanel);
    HeaderLabel->setObjectName("HeaderLabel");
    HeaderLabel->setAlignment(Qt::AlignCenter);
    HeaderLabel->setCursor(Qt::SizeAllCursor);
    QFont hf = light;
    hf.setPixelSize(21);
    HeaderLabel->setFont(hf);
    QPalette hp = HeaderLabel->palette();
    hp.setColor(QPalette::WindowText, QColor(0x55, 0x6B, 0x2F));  // dark olive green
    HeaderLabel->setPalette(hp);
    HeaderLabel->setMinimumWidth(0);
    HeaderLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    HeaderLabel->installEventFilter(this);
    HeaderRow->addWidget(HeaderLabel, 1);

    ApplyImage = new TImage("ApplyImage", Headerpanel);
    ApplyImage->setFixedSize(32, 32);
    ApplyImage->setPixmap(DrawPicture(Picture::Apply, 32, QColor(0x2E, 0x7D, 0x32)));
    ApplyImage->hide();
    HeaderRow->addWidget(ApplyImage);
    CancelImage = new TImage("CancelImage", Headerpanel);
    CancelImage->setFixedSize(32, 32);
    CancelImage->setPixmap(DrawPicture(Picture::Cancel, 32, QColor(0xB7, 0x1C, 0x1C)));
    CancelImage->hide();
    HeaderRow->addWidget(CancelImage);

    MiddleRow = new QHBoxLayout();
    MiddleRow->setContentsMargins(0, 0, 0, 0);
    MiddleRow->setSpacing(0);
    ClientPanel = new QWidget(FirstPanel);
    ClientPanel->setObjectName("ClientPanel");
    auto* clientLayout = new QVBoxLayout(ClientPanel);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    clientLayout->setSpacing(0);
    MiddleRow->addWidget(ClientPanel, 1);
    firstLayout->addLayout(MiddleRow, 1);

    Bar = new QProgressBar(FirstPanel);
    Bar->setObjectName("Bar");
    Bar->setFixedHeight(12);
    Bar->setTextVisible(false);
    Bar->setRange(0, 100);
    Bar->setValue(0);
    Bar->hide();
    firstLayout->addWidget(Bar);

    connect(CloseImage, &TImage::clicked, this, [this] { CloseImageClick(); });
    connect(WhiteMenuImage, &TImage::clicked, this, [this] { WhiteMenuImageClick(); });

    grabGesture(Qt::PinchGesture);
    LoadDefaultColors();
    resize(600, 400);
}

TDialogForm::~TDialogForm() {
    if (keyPreview_)
        qApp->removeEventFilter(this);
    if (modalLoop_)
        modalLoop_->exit();
}

void TDialogForm::EnsureCreated() {
    if (created_)
        return;
    created_ = true;
    FormCreate();
}

int TDialogForm::ShowModal() {
    EnsureCreated();
    if (isVisible())
        hide();
    ModalResult_ = mrNone;
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    modalLoop_ = &loop;
    QPointer<TDialogForm> alive(this);
    show();
    raise();
    activateWindow();
    if (isVisible() && ModalResult_ == mrNone)
        loop.exec(QEventLoop::DialogExec);
    if (!alive)
        return mrCancel;
    modalLoop_ = nullptr;
    if (isVisible())
        hide();
    setWindowModality(Qt::NonModal);
    return ModalResult_;
}

void TDialogForm::SetModalResult(int result) {
    ModalResult_ = result;
    if (result == mrNone || !modalLoop_)
        return;
    close();
    if (isVisible())  // the close was refused: the window stays open
        ModalResult_ = mrNone;
}

Rect TDialogForm::Bounds() const {
    const QRect g = geometry();
    return Rect{g.x(), g.y(), g.width(), g.height()};
}

void TDialogForm::SetBounds(const Rect& r) {
    setGeometry(r.left, r.top, r.width, r.height);
}

QString TDialogForm::HeaderText() const {
    return HeaderLabel->text();
}

void TDialogForm::SetHeaderText(const QString& text) {
    HeaderLabel->setText(text);
}

void TDialogForm::SetKeyPreview(bool on) {
    if (on == keyPreview_)
        return;
    keyPreview_ = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

Monitor TDialogForm::Primary() const {
    return PrimaryMonitor(host().monitors());
}

int TDialogForm::CurrentMonitor() const {
    return MonitorIndexOf(Bounds(), host().monitors());
}

void TDialogForm::FormCreate() {
    const std::string name = ComponentName();
    const bool adjust = !settings().ReadIniBool("NotAdjustWindowToScreen");
    LastHeader.clear();
    setWindowState(Qt::WindowNoState);
    LoadDefaultColors();
    Drag = false;
    FrameLayout->setContentsMargins(BorderWidth, BorderWidth, BorderWidth, BorderWidth);

    const bool ctrlShift = CtrlShiftDown();
    StoredPosition stored;
    if (!ctrlShift) {
        stored.left = settings().ReadIniInteger(name + "_LEFT");
        stored.top = settings().ReadIniInteger(name + "_TOP");
        stored.sized = settings().ReadIniInteger(name + "_SIZED");
    }
    const Placement p =
        RestoreDialogPosition(Bounds(), stored, adjust, ctrlShift, context_.extents, host().monitors());
    SetBounds(p.rect);
    IsSized = p.IsSized;
}

void TDialogForm::FormActivate() {
    setWindowTitle(HeaderLabel->text());
}

void TDialogForm::FormClose() {
    const std::string name = ComponentName();
    const Rect b = Bounds();
    settings().WriteIniInteger(name + "_LEFT", b.left);
    settings().WriteIniInteger(name + "_TOP", b.top);
    settings().WriteIniInteger(name + "_SIZED", IsSized);
    settings().WriteIniInteger(name + "_MONITOR", CurrentMonitor());
}

bool TDialogForm::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    const auto held = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (key == Qt::Key_F11 && !(modifiers & held)) {
        CenterWindow();
        return true;
    }
    return false;
}

void TDialogForm::FormGesture() {
    close();
}

void TDialogForm::CenterWindow() {
    SetBounds(CenterInWorkArea(Bounds(), Primary().workArea));
    IsSized = 0;
}

void TDialogForm::HeaderLabelMouseDown(QPoint position) {
    StartX = position.x();
    StartY = position.y();
    Drag = true;
    LastHeader = HeaderText();
}

void TDialogForm::HeaderLabelMouseMove(QPoint position) {
    if (!Drag)
        return;
    const int left = x() + position.x() - StartX;
    const int top = y() + position.y() - StartY;
    move(left, top);
    IsSized = 1;
    SetHeaderText(QString::fromStdString(DragHeaderText(left, top)));
}

void TDialogForm::HeaderLabelMouseUp() {
    Drag = false;
    if (!LastHeader.isEmpty()) {
        SetHeaderText(LastHeader);
        LastHeader.clear();
    }
}

void TDialogForm::CloseImageClick() {
    close();
}

void TDialogForm::LoadDefaultColors() {
    FillWith(this, ToQColor(context_.colors.FrameColor));
    FillWith(FirstPanel, ToQColor(context_.colors.PanelColor));
}

bool TDialogForm::event(QEvent* event) {
    if (event->type() == QEvent::Gesture) {
        auto* ge = static_cast<QGestureEvent*>(event);
        if (auto* pinch = static_cast<QPinchGesture*>(ge->gesture(Qt::PinchGesture))) {
            if (pinch->state() == Qt::GestureFinished &&
                std::abs(pinch->totalRotationAngle()) >= kRotateGestureDegrees) {
                FormGesture();
            }
            ge->accept(pinch);
            return true;
        }
    }
    return QWidget::event(event);
}

bool TDialogForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == HeaderLabel) {
        switch (event->type()) {
            case QEvent::MouseButtonPress: {
                auto* me = static_cast<QMouseEvent*>(event);
                if (me->button() == Qt::LeftButton)
                    HeaderLabelMouseDown(me->position().toPoint());
                return true;
            }
            case QEvent::MouseMove:
                HeaderLabelMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
                return true;
            case QEvent::MouseButtonRelease:
                if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                    HeaderLabelMouseUp();
                return true;
            default:
                break;
        }
    }
    // Key preview: the window sees the keys of its focused control first.
    if (keyPreview_ && event->type() == QEvent::KeyPress && watched != this && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        if (w->window() == this && w == QApplication::focusWidget()) {
            auto* ke = static_cast<QKeyEvent*>(event);
            if (FormKeyDown(ke->key(), ke->modifiers()))
                return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TDialogForm::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        EnsureCreated();
        FormShow();
    }
    QWidget::showEvent(event);
}

void TDialogForm::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    if (modalLoop_) {
        if (ModalResult_ == mrNone)
            ModalResult_ = mrCancel;
        modalLoop_->exit();
    }
    event->accept();
}

void TDialogForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            FormActivate();
        else
            FormDeactivate();
    }
    QWidget::changeEvent(event);
}

void TDialogForm::keyPressEvent(QKeyEvent* event) {
    if (FormKeyDown(event->key(), event->modifiers())) {
        event->accept();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && defaultButton_ && defaultButton_->isVisible() && defaultButton_->isEnabled()) {
        defaultButton_->click();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && cancelButton_ && cancelButton_->isVisible() &&
        cancelButton_->isEnabled()) {
        cancelButton_->click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

// The border (the window's own area outside FirstPanel) drags the window like the header.
void TDialogForm::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !FirstPanel->geometry().contains(event->position().toPoint())) {
        HeaderLabelMouseDown(event->position().toPoint());
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void TDialogForm::mouseMoveEvent(QMouseEvent* event) {
    if (Drag) {
        HeaderLabelMouseMove(event->position().toPoint());
        event->accept();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void TDialogForm::mouseReleaseEvent(QMouseEvent* event) {
    if (Drag && event->button() == Qt::LeftButton) {
        HeaderLabelMouseUp();
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

}  // namespace dravn
