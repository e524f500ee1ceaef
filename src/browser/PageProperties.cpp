#include "browser/PageProperties.h"

#include "config/Language.h"
#include "platform/BrowserView.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

namespace lorva {

void showPageProperties(QWidget *parent, BrowserView &view, const Language &language)
{
    const auto &C = language.Captions;
    QDialog dialog(parent);
    dialog.setWindowTitle(C[177]);
    auto *form = new QFormLayout(&dialog);
    const auto value = [&dialog](const QString &text) {
        auto *label = new QLabel(text, &dialog);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setWordWrap(true);
        return label;
    };
    form->addRow(C[223], value(view.LocationName()));
    form->addRow(C[224], value(view.LocationURL()));
    form->addRow(C[225], value(QString::number(view.outerHTML().toUtf8().size()) + u' ' + C[226]));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(C[204]);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    form->addRow(buttons);
    dialog.setMinimumWidth(420);
    dialog.exec();
}

} // namespace lorva
