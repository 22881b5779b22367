#pragma once

namespace ruvo {

struct Delays;
class MessageBoxService;
class ModalWindowService;
class FileServices;
class SettingsService;
class ProcessService;
class RandomService;
class ShellService;
class PictureDecoder;
class BusyPointerService;

// The platform services a window's logic works through. The logic never owns
// them; the application (or a test) does.
struct Platform
{
    MessageBoxService& messages;
    ModalWindowService& modal;
    FileServices& files;
    SettingsService& settings;
    ProcessService& process;
    RandomService& random;
    ShellService& shell;
    PictureDecoder& pictures;
    const Delays& delays;
    BusyPointerService& pointer;
};

} // namespace ruvo
