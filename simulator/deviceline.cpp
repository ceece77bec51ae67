#include "simulator/deviceline.h"

#include "platform/pseudoterminal.h"
#include "simulator/localline.h"
#include "simulator/ptylink.h"

DeviceLine::Kind DeviceLine::systemKind()
{
    return Pseudoterminal::available() ? Kind::Pseudoterminal : Kind::InProcess;
}

std::unique_ptr<DeviceLine> DeviceLine::make(Kind kind)
{
    if (kind == Kind::Pseudoterminal)
        return std::make_unique<PtyLink>();
    return std::make_unique<LocalLine>();
}
