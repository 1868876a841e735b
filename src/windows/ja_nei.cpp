#include "windows/ja_nei.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "windows/dialog.h"

namespace dravn {

namespace {

constexpr int kPadding = 3;

}  // namespace

TJaNeiForm::TJaNeiForm(const DefaultColors& colors, Point centre, const Rect& desktop, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      colors_(colors),
      centre_(centre),
      desktop_(desktop) {
    setObjectName("JaNeiForm");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kPadding, kPadding, kPadding, kPadding);
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    layout->addWidget(Panel1);

    Label1 = new QLabel(Panel1);
    Label1->setObjectName("Label1");
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    QFont lf = Label1->font();
    lf.setPixelSize(19);
    Label1->setFont(lf);

    QFont bf = font();
    bf.setPixelSize(16);
    bf.setWeight(QFont::Bold);
    JaKnapp = new QPushButton("&Ja", Panel1);
    JaKnapp->setObjectName("JaKnapp");
    NeiKnapp = new QPushButton("&Nei", Panel1);
    NeiKnapp->setObjectName("NeiKnapp");
    for (QPushButton* b : {JaKnapp, NeiKnapp}) {
        b->setFont(bf);
        b->setFixedSize(201, 65);
        b->setAutoDefault(true);
    }
    JaKnapp->setDefault(true);
    connect(JaKnapp, &QPushButton::clicked, this, [this] { JaKnappClick(); });
    connect(NeiKnapp, &QPushButton::clicked, this, [this] { NeiKnappClick(); });

    resize(812, 267);
}

void TJaNeiForm::SetQuestion(const QString& question) {
    Label1->setText(question);
    const int needed = Label1->fontMetrics().horizontalAdvance(question) + 50;
    if (width() < needed)
        resize(needed, height());
}

void TJaNeiForm::FormShow() {
    JaKnapp->setText("&Ja");
    NeiKnapp->setText("&Nei");
    FillWith(this, ToQColor(colors_.FrameColor));
    FillWith(Panel1, ToQColor(colors_.HighlightColor));
    QPalette lp = Label1->palette();
    lp.setColor(QPalette::WindowText, Qt::black);
    Label1->setPalette(lp);

    const int w = width();
    const int panelWidth = w - 2 * kPadding;
    Label1->setGeometry(10, 30, panelWidth - 20, 75);
    JaKnapp->move(w / 2 - JaKnapp->width() - 45, 128);
    NeiKnapp->move(w / 2 + 45, 128);
    (InnBo ? JaKnapp : NeiKnapp)->setFocus();

    const Rect r = PlaceYesNo(w, height(), centre_, desktop_);
    move(r.left, r.top);
}

void TJaNeiForm::JaKnappClick() {
    InnBo = true;
    accept();
}

void TJaNeiForm::NeiKnappClick() {
    InnBo = false;
    reject();
}

void TJaNeiForm::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TJaNeiForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        NeiKnapp->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool AskYesNo(const Host& host, const DefaultColors& colors, const std::string& question,
              bool defaultAnswer) {
    std::optional<Rect> active;
    if (QWidget* w = QApplication::activeWindow()) {
        const QRect g = w->frameGeometry();
        active = Rect{g.x(), g.y(), g.width(), g.height()};
    }
    const auto monitors = host.monitors();
    const Rect desktop = monitors.empty() ? PrimaryMonitor(monitors).bounds : VirtualDesktop(monitors);
    const Point centre = YesNoCentre(active, desktop);

    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto form = std::make_unique<TJaNeiForm>(colors, centre, desktop);
    QApplication::restoreOverrideCursor();
    form->InnBo = defaultAnswer;
    form->SetQuestion(QString::fromStdString(question));
    form->exec();
    return form->InnBo;
}

}  // namespace dravn
