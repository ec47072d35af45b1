#include "platform/DialogColours.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace DialogColours {

void apply(QWidget& window)
{
    const QPalette system = QApplication::palette("QDialog");
    // Every role set explicitly, so that none is inherited from the parent.
    QPalette own;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            if (role == QPalette::NoRole)
                continue;
            const auto colorRole = static_cast<QPalette::ColorRole>(role);
            own.setBrush(group, colorRole, system.brush(group, colorRole));
        }
    }
    window.setPalette(own);
}

} // namespace DialogColours
