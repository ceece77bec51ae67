#pragma once

#include "settings/settingdescription.h"
#include "tests/codecs/codecdomain.h"

#include <QtTest>

// One data row for each model whose settings the program describes, named after the model.
inline void addDescribedModelRows()
{
    QTest::addColumn<ModelInfo::Id>("model");
    for (const ModelInfo &model : ModelInfo::all()) {
        if (SettingDescription::of(model.id))
            QTest::newRow(model.name) << model.id;
    }
}
