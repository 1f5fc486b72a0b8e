#include "Screens.h"

#include "app/common/ScreenRegistry.h"

namespace rv {

// Each screen is added here under its class name as it is built, e.g.
//   screens.add<TfrmCadCliente>(QStringLiteral("TfrmCadCliente"));
void registerScreens(ScreenRegistry &screens)
{
    Q_UNUSED(screens);
}

} // namespace rv
