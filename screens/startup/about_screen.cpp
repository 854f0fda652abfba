#include "screens/startup/about_screen.h"

#include <QLabel>

#include "foundation/platform/screen_catalogue.h"
#include "foundation/program.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/twips.h"
#include "foundation/widgets/widget_colours.h"

Form21::Form21(AppContext& context, QWidget* parent)
    : InformationWindow(context, screenObjectName(ScreenId::About), {6750, 4500}, parent) {
    Image1 = new StretchedPicture(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(rect());
    Image1->load(QStringLiteral(":/startup/about.jpg"));

    QFont font(QStringLiteral("宋体"));
    font.setPointSizeF(10.5);
    font.setBold(true);
    for (int i = 0; i < 2; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("Label2_%1").arg(i));
        label->setFont(font);
        SetTextColour(label, Qt::white);
        PlaceInTwips(label, 510, 3075 + 405 * i, 5700, 330);
        Label2 << label;
    }
    Label2[0]->setText(kVersionLinePrefix + kVersionText);
    Label2[1]->setText(kCompletionDateLine);
}
