#include "Screens.h"

#include "app/common/ScreenRegistry.h"
#include "clients/TfrmCadCliente.h"

namespace rv {

// Each screen is added here under its class name.
void registerScreens(ScreenRegistry &screens)
{
    screens.add<TfrmCadCliente>(QStringLiteral("TfrmCadCliente"));
}

} // namespace rv
