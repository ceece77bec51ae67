#include "platform/portadvice.h"

// The serial ports belong to the dialout group.
QString PortAdvice::forRefusedPort()
{
    return QStringLiteral("Dostęp do portów szeregowych mają członkowie grupy dialout: sudo "
                          "usermod -aG dialout $USER, a potem ponowne zalogowanie.");
}
