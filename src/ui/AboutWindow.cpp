#include "AboutWindow.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadialGradient>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>
#include <numbers>

namespace bv {

namespace {

constexpr int kLogoWidth = 320;
constexpr int kLogoHeight = 200;

// Labels do not break at a lone CR, so the lines are shown with line feeds; the written
// text itself keeps character 13.
QString displayed(const QString& text) {
    QString shown = text;
    shown.replace(QChar(13), QChar(10));
    return shown;
}

void paintFlames(QPainter& painter) {
    QPainterPath flames;
    flames.moveTo(0, kLogoHeight);
    const int tongues = 11;
    const double step = static_cast<double>(kLogoWidth) / tongues;
    for (int i = 0; i < tongues; ++i) {
        const double left = i * step;
        const double height = 26 + 14 * std::sin(i * 1.7) + 8 * std::cos(i * 0.6);
        const double tip = kLogoHeight - height;
        flames.cubicTo(left + step * 0.15, kLogoHeight - height * 0.4, left + step * 0.2, tip + 8,
                       left + step * 0.55, tip);
        flames.cubicTo(left + step * 0.5, tip + 12, left + step * 0.9, kLogoHeight - height * 0.3,
                       left + step, kLogoHeight - 6);
    }
    flames.lineTo(kLogoWidth, kLogoHeight);
    flames.closeSubpath();
    QLinearGradient fire(0, kLogoHeight - 50, 0, kLogoHeight);
    fire.setColorAt(0.0, QColor(255, 214, 80));
    fire.setColorAt(0.45, QColor(242, 120, 24));
    fire.setColorAt(1.0, QColor(150, 24, 8));
    painter.setPen(Qt::NoPen);
    painter.setBrush(fire);
    painter.drawPath(flames);
}

void paintVaultDoor(QPainter& painter, QPointF centre, double radius) {
    // Rim, door face and the ring of bolts.
    QRadialGradient rim(centre, radius, centre - QPointF(radius * 0.4, radius * 0.4));
    rim.setColorAt(0.0, QColor(215, 218, 224));
    rim.setColorAt(1.0, QColor(80, 84, 92));
    painter.setPen(QPen(QColor(30, 30, 34), 2));
    painter.setBrush(rim);
    painter.drawEllipse(centre, radius, radius);

    QRadialGradient face(centre, radius * 0.8, centre + QPointF(radius * 0.3, radius * 0.3));
    face.setColorAt(0.0, QColor(150, 154, 162));
    face.setColorAt(1.0, QColor(58, 60, 68));
    painter.setBrush(face);
    painter.drawEllipse(centre, radius * 0.8, radius * 0.8);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 40, 46));
    const int bolts = 12;
    for (int i = 0; i < bolts; ++i) {
        const double angle = 2 * std::numbers::pi * i / bolts;
        const QPointF at = centre + QPointF(std::cos(angle), std::sin(angle)) * radius * 0.9;
        painter.drawEllipse(at, 3.0, 3.0);
    }

    // The wheel: three spokes through the hub, each ending in a knob.
    painter.setPen(QPen(QColor(196, 150, 40), 6, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i) {
        const double angle = std::numbers::pi / 6 + std::numbers::pi * i / 3;
        const QPointF reach = QPointF(std::cos(angle), std::sin(angle)) * radius * 0.55;
        painter.drawLine(centre - reach, centre + reach);
    }
    painter.setPen(QPen(QColor(90, 60, 10), 1.5));
    painter.setBrush(QColor(236, 188, 64));
    for (int i = 0; i < 6; ++i) {
        const double angle = std::numbers::pi / 6 + std::numbers::pi * i / 3;
        const QPointF knob = centre + QPointF(std::cos(angle), std::sin(angle)) * radius * 0.55;
        painter.drawEllipse(knob, 5.0, 5.0);
    }
    painter.drawEllipse(centre, radius * 0.16, radius * 0.16);
}

void paintName(QPainter& painter) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(40);
    painter.setFont(font);

    QLinearGradient gold(0, 30, 0, 120);
    gold.setColorAt(0.0, QColor(255, 232, 140));
    gold.setColorAt(1.0, QColor(228, 112, 20));
    const QRectF area(160, 24, 150, 110);
    QPainterPath name;
    name.addText(area.left(), area.top() + 42, font, QStringLiteral("BRIM"));
    name.addText(area.left(), area.top() + 88, font, QStringLiteral("VAULT"));
    // Scale the two words to the column, whatever face the host substituted.
    const QRectF bounds = name.boundingRect();
    const double scale = area.width() / bounds.width();
    QTransform fit;
    fit.translate(area.left(), area.top());
    fit.scale(scale, scale);
    fit.translate(-bounds.left(), -bounds.top());
    painter.setPen(QPen(QColor(60, 12, 4), 2));
    painter.setBrush(gold);
    painter.drawPath(fit.map(name));
}

} // namespace

QString AboutWindow::aboutText() {
    return QStringLiteral("Brimvault 1.2 Beta") + QChar(13) +
           QStringLiteral("Written by the Brimvault developers") + QChar(13) +
           QStringLiteral("This program is free software and comes with no warranty.");
}

QPixmap AboutWindow::paintLogo() {
    QPixmap logo(kLogoWidth, kLogoHeight);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, kLogoHeight);
    sky.setColorAt(0.0, QColor(12, 6, 8));
    sky.setColorAt(0.7, QColor(58, 12, 6));
    sky.setColorAt(1.0, QColor(120, 28, 6));
    painter.fillRect(QRect(0, 0, kLogoWidth, kLogoHeight), sky);

    paintFlames(painter);
    paintVaultDoor(painter, QPointF(84, 92), 64);
    paintName(painter);
    return logo;
}

AboutWindow::AboutWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog), logo_(new QLabel(this)), writing_(new QLabel(this)),
      okButton_(new QPushButton(QStringLiteral("&Ok"), this)), typewriter_(new QTimer(this)) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Brimvault"));
    setAttribute(Qt::WA_DeleteOnClose);
    logo_->setObjectName(QStringLiteral("imgLogo"));
    writing_->setObjectName(QStringLiteral("lblWrite"));
    okButton_->setObjectName(QStringLiteral("cmdOk"));
    typewriter_->setObjectName(QStringLiteral("timerWrite"));

    logo_->setPixmap(paintLogo());
    logo_->setFixedSize(kLogoWidth, kLogoHeight);
    logo_->setAccessibleName(QStringLiteral("Brimvault logo"));

    writing_->setTextFormat(Qt::PlainText);
    writing_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Room for the complete text from the start, so the window does not grow while typing.
    writing_->setMinimumSize(writing_->fontMetrics()
                                 .boundingRect(QRect(), Qt::AlignLeft, displayed(aboutText()))
                                 .size());

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(logo_, 0, Qt::AlignHCenter);
    layout->addWidget(writing_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    okButton_->setDefault(true);
    okButton_->setFocus();
    connect(okButton_, &QPushButton::clicked, this, &QWidget::close);

    typewriter_->setInterval(1);
    connect(typewriter_, &QTimer::timeout, this, &AboutWindow::tick);
    typewriter_->start();
}

void AboutWindow::tick() {
    const QString text = aboutText();
    written_ = text.left(shownCharacters_);
    writing_->setText(displayed(written_));
    // Once complete the caption no longer changes, so the timer can rest.
    if (shownCharacters_ >= text.size())
        typewriter_->stop();
    else
        ++shownCharacters_;
}

} // namespace bv
