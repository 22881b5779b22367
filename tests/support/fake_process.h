#pragma once

#include "platform/process_service.h"

namespace ruvo::test {

class FakeProcess : public ProcessService
{
public:
    QString commandLine() const override { return commandLineText; }
    QString programFolder() const override { return folder; }
    QString stateFolder() const override { return state; }
    QString currentFolder() const override { return current; }
    void exit() override { ++exitCount; }

    QString commandLineText;
    QString folder;
    QString current;
    // Empty: positions are kept for the run only, nothing written.
    QString state;
    int exitCount = 0;
};

} // namespace ruvo::test
