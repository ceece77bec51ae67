#pragma once

#include "protocol/modeltable.h"

#include <QList>

class DevicePage;
struct Pages;

// The widget half of the model table: where each model's page lives, which of its signals
// reach which slot of the window, and how the offline chooser opens it. Signals and slots
// are named by their textual signatures, as SIGNAL() and SLOT() give them.
struct ModelPage
{
    struct Wire
    {
        const char *signal;
        const char *slot;
    };

    ModelInfo::Id id;
    DevicePage &(*page)(Pages &pages);
    // The page's way back to the start window; offline it is the only signal connected.
    const char *backSignal;
    // The page's requests to the device, connected once a port is open.
    QList<Wire> deviceWires;
    // The chooser's number for this model (0 when the chooser has no button for it), its
    // signal, and the line logged when the page opens offline.
    int offlineChoice;
    const char *offlineSignal;
    const char *offlineLine;
    // The offline page shows the neutral version text.
    bool offlineVersion;

    static const QList<ModelPage> &all();
    static const ModelPage &of(ModelInfo::Id id);
    // The row the chooser's number opens, or nullptr.
    static const ModelPage *byOfflineChoice(int choice);
};
