#include "pictures/frmWhereTaxGoes.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "platform/picture_view.h"
#include "platform/twips.h"
#include "report/pictures.h"

namespace levywise {

frmWhereTaxGoes::frmWhereTaxGoes(Platform& platform, QWidget* parent)
    : PictureWindow("frmWhereTaxGoes", QStringLiteral("Where the Tax Goes"), parent),
      platform_(platform) {
    picWhereTaxGoes = new PictureView(this);
    picWhereTaxGoes->setObjectName(QStringLiteral("picWhereTaxGoes"));
    txtFigures = new QPlainTextEdit(this);
    txtFigures->setObjectName(QStringLiteral("txtFigures"));
    txtFigures->setReadOnly(true);
    txtFigures->setTabChangesFocus(true);
    txtFigures->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtFigures->setAccessibleName(QStringLiteral("The figures in words"));

    cmdPrint = Button("cmdPrint", QStringLiteral("&Print"));
    cmdCopy = Button("cmdCopy", QStringLiteral("&Copy"));
    cmdClose = Button("cmdClose", QStringLiteral("C&lose"));
    cmdCopy->setAccessibleDescription(QStringLiteral("Puts the picture on the clipboard"));

    auto* content = new QHBoxLayout;
    content->addWidget(picWhereTaxGoes, 3);
    content->addWidget(txtFigures, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdPrint);
    buttons->addWidget(cmdCopy);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(content);
    layout->addLayout(buttons);
    resize(TwipsRect(0, 0, 11520, 6480, this).size());

    connect(cmdPrint, &QPushButton::clicked, this, &frmWhereTaxGoes::cmdPrint_Click);
    connect(cmdCopy, &QPushButton::clicked, this, &frmWhereTaxGoes::cmdCopy_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmWhereTaxGoes::cmdClose_Click);
}

void frmWhereTaxGoes::ShowEstimate(const EstimateRecord& record) {
    const Picture picture = WhereTheTaxGoesOf(record);
    ShowPicture(picWhereTaxGoes, picture);
    // One figure a line, easier to read and laid out only as far as seen:
    // each sentence of the description ends with an amount.
    static const QRegularExpression sentenceEnd(QStringLiteral("(\\d\\.\\d\\d\\.) "));
    txtFigures->setPlainText(
        QString::fromStdString(picture.Description).replace(sentenceEnd, QStringLiteral("\\1\n")));
}

void frmWhereTaxGoes::cmdPrint_Click() { picWhereTaxGoes->print(this, platform_); }

void frmWhereTaxGoes::cmdCopy_Click() { picWhereTaxGoes->copy(); }

void frmWhereTaxGoes::cmdClose_Click() { close(); }

} // namespace levywise
