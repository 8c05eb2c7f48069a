#include "ui/Unit2.h"

#include <QLabel>
#include <QPushButton>

namespace lumelle {

TForm2::TForm2(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    setFixedSize(464, 459);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(96, 8, 353, 105);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setText(QStringLiteral("Lumelle %1\nTurns SubRip and MicroDVD subtitles into DVD "
                                   "VobSub subtitles (.idx/.sub).")
                        .arg(QStringLiteral(LUMELLE_VERSION)));

    auto* close = new QPushButton(QStringLiteral("OK"), this);
    close->setGeometry(368, 424, 89, 25);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace lumelle
