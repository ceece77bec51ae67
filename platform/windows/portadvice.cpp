#include "platform/portadvice.h"

// Every user may open a serial port; Windows refuses one that another program holds open.
QString PortAdvice::forRefusedPort()
{
    return QStringLiteral("Port jest zajęty przez inny program (terminal, program producenta "
                          "przejściówki lub drugie okno ORVA_Konfig). Zamknij go i połącz "
                          "ponownie.");
}
