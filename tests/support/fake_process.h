#pragma once

#include "platform/process_service.h"

namespace ruvo::test {

class FakeProcess : public ProcessService
{
public:
    QString commandLine() const override { return commandLineText; }
    QString programFolder() const override { return folder; }
    void exit() override { ++exitCount; }

    QString commandLineText;
    QString folder;
    int exitCount = 0;
};

} // namespace ruvo::test
