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
class PageCache;
class BusyPointerService;
class Books;

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
    // The books that folders and archive files open as, and where their pages are read from.
    Books& books;
    // Decodes previews and thumbnails, straight from their files.
    PictureDecoder& pictures;
    // The open book's pages, prepared ahead.
    PageCache& pages;
    const Delays& delays;
    BusyPointerService& pointer;
};

} // namespace ruvo
