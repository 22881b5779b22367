#pragma once

// The names by which the logic addresses windows, menu items, toolbar buttons
// and controls. They are the program's historic names and are kept verbatim;
// every use goes through these constants, so a typo is a compile error rather
// than a lookup that finds nothing.

#include <QLatin1StringView>

namespace ruvo {

using ControlName = QLatin1StringView;

// Windows shown through the modal window service.
namespace WindowName {
inline constexpr ControlName browser("Form2");        // the file browser with preview
inline constexpr ControlName version("Form3");        // the version information
inline constexpr ControlName dropHelp("Form4");       // help on what may be dropped
inline constexpr ControlName registerBook("Form5");   // registering the open book on the shelf
inline constexpr ControlName bookshelf("Form6");      // the bookshelf of thumbnail icons
inline constexpr ControlName registerNotice("Form7"); // the notice after a registration
inline constexpr ControlName onePageNotice("Form8");  // the one-page-mode notice
inline constexpr ControlName twoPagesNotice("Form9"); // the two-page-mode notice
inline constexpr ControlName shelfFolder("Form10");   // the shelf folder chooser
inline constexpr ControlName newFolder("Form11");     // naming a new folder in the chooser
inline constexpr ControlName help("Help");            // the help on books, keys, mouse and files
// Every window above, for the checks that each has a view.
inline constexpr ControlName all[] = {browser,     version,        dropHelp,      registerBook,
                                      bookshelf,   registerNotice, onePageNotice, twoPagesNotice,
                                      shelfFolder, newFolder,      help};
} // namespace WindowName

// The main window's popup menu (the hidden "mnuFile" menu and its items).
namespace MenuItem {
inline constexpr ControlName popup("mnuFile");     // the popup menu itself
inline constexpr ControlName nextPage("NEXTP");    // next page
inline constexpr ControlName previousPage("PRVP"); // previous page
inline constexpr ControlName autoScroll("SCROO");  // automatic scrolling on and off
inline constexpr ControlName separatorAfterScroll("line2");
inline constexpr ControlName upperRight("rup");  // place the pages upper right
inline constexpr ControlName lowerRight("rdwn"); // place the pages lower right
inline constexpr ControlName centre("lnaka");    // place the pages in the centre
inline constexpr ControlName upperLeft("lup");   // place the pages upper left
inline constexpr ControlName lowerLeft("ldwn");  // place the pages lower left
inline constexpr ControlName separatorAfterPlacements("line4");
inline constexpr ControlName openShelf("tanaopen");   // open the bookshelf
inline constexpr ControlName registerBook("hondana"); // register the open book on the shelf
inline constexpr ControlName openFile("open");        // open the file browser
inline constexpr ControlName separatorAfterOpen("line3");
inline constexpr ControlName screenSettings("Rsetti"); // the screen settings submenu
inline constexpr ControlName toolbar("BOT");           // toolbar on and off
inline constexpr ControlName statusBar("sta");         // status bar on and off
inline constexpr ControlName stretch("hyhtt");         // stretching on and off
inline constexpr ControlName onePage("sing");          // one page or two-page spreads
inline constexpr ControlName hiddenSeparator("line5");
inline constexpr ControlName separatorBeforeQuit("line6");
inline constexpr ControlName quit("end");                  // quit the program
inline constexpr ControlName fullScreen("zengamen");       // full screen on and off
inline constexpr ControlName widePagesAlone("widealone");  // a wide page as a spread of its own
inline constexpr ControlName shiftPairs("shiftpairs");     // the pairs of pages one page on
inline constexpr ControlName leftToRight("lefttoright");   // reading left to right on and off
inline constexpr ControlName nextBook("nextbook");         // the next book of the open one's folder
inline constexpr ControlName previousBook("prevbook");     // the book before it
inline constexpr ControlName recentBooks("recent");        // the books read last, a submenu
inline constexpr ControlName numberOrder("numorder");      // numbers in names compared by value
inline constexpr ControlName allFormats("allformats");     // PNG, WebP, AVIF and JPEG XL in folders
inline constexpr ControlName thumbnailShape("thumbshape"); // shelf thumbnails keep the page's shape
inline constexpr ControlName devicePixels("devpixels");    // a page pixel to each device pixel
inline constexpr ControlName adjustments("adjust");        // the submenu of picture adjustments
inline constexpr ControlName brighter("brighter");
inline constexpr ControlName darker("darker");
inline constexpr ControlName moreContrast("morecontrast");
inline constexpr ControlName lessContrast("lesscontrast");
inline constexpr ControlName gammaUp("gammaup");
inline constexpr ControlName gammaDown("gammadown");
inline constexpr ControlName greyscale("greyscale");
inline constexpr ControlName resetAdjustments("adjreset");
inline constexpr ControlName resume("resume");   // a book opens where it was left
inline constexpr ControlName shelfMenu("okini"); // the hidden shelf menu
inline constexpr ControlName tidyShelf("seiri"); // its only item, tidying the shelf
} // namespace MenuItem

// The main window's toolbar buttons, by key; the key also names the icon.
namespace ToolbarKey {
inline constexpr ControlName openFile("Rforda");        // open the file browser
inline constexpr ControlName openShelf("Rhondana");     // open the bookshelf
inline constexpr ControlName registerBook("Rtourok");   // register the open book
inline constexpr ControlName previousPage("Rmae");      // previous page
inline constexpr ControlName nextPage("Rtugi");         // next page
inline constexpr ControlName lowerLeft("Rld");          // place the pages lower left
inline constexpr ControlName upperLeft("Rlu");          // place the pages upper left
inline constexpr ControlName centre("Rnaka");           // place the pages in the centre
inline constexpr ControlName lowerRight("Rrd");         // place the pages lower right
inline constexpr ControlName upperRight("Rru");         // place the pages upper right
inline constexpr ControlName scrollRunning("Rscrool2"); // automatic scrolling, shown while it runs
inline constexpr ControlName scrollStopped("Rscrool");  // automatic scrolling, shown while stopped
inline constexpr ControlName toolbar("Rtool");          // toolbar on and off
inline constexpr ControlName statusBar("Rsta");         // status bar on and off
inline constexpr ControlName onePage("Ritimai");        // one page or two-page spreads
inline constexpr ControlName stretch("Rsto");           // stretching on and off
inline constexpr ControlName canvas("CYAN");            // the canvas of all pages
inline constexpr ControlName background("set");         // the background colour panel
inline constexpr ControlName version("Rva");            // the version information
inline constexpr ControlName quit("Ren");               // quit the program
} // namespace ToolbarKey

// The bookshelf window's popup menu.
namespace ShelfMenuItem {
inline constexpr ControlName popup("popmenu");    // the popup menu itself
inline constexpr ControlName rename("dai");       // rename the selected icon
inline constexpr ControlName sort("iconseiretu"); // sort the icons by title
inline constexpr ControlName separator("line1");
inline constexpr ControlName remove("sak"); // delete the selected icon
} // namespace ShelfMenuItem

// The bookshelf window's toolbar buttons, by key; the key also names the icon.
namespace ShelfToolbarKey {
inline constexpr ControlName back("modor");       // back to the main window
inline constexpr ControlName toBottom("saisita"); // scroll to the bottom
inline constexpr ControlName down("down");        // scroll down a row
inline constexpr ControlName up("up");            // scroll up a row
inline constexpr ControlName toTop("saiue");      // scroll to the top
inline constexpr ControlName rename("henkouda");  // rename the selected icon
inline constexpr ControlName remove("kes");       // delete the selected icon
inline constexpr ControlName sort("seiretu");     // sort the icons by title
inline constexpr ControlName otherShelf("sinki"); // read another shelf or make a new one
} // namespace ShelfToolbarKey

// Controls of the main window whose font the logic names.
namespace ViewerControl {
inline constexpr ControlName statusBar("StatusBar1");   // the status bar
inline constexpr ControlName backgroundFrame("Frame2"); // the background panel's frame
inline constexpr ControlName backgroundOk("Command2");  // the background panel's OK button
} // namespace ViewerControl

// Controls of the bookshelf window whose font the logic names.
namespace ShelfControl {
inline constexpr ControlName statusBar("StatusBar1"); // the status bar
inline constexpr ControlName folderBar("Label2");     // the bar naming the shelf folder
inline constexpr ControlName renameBox("Text1");      // the box a title is edited in
inline constexpr ControlName iconTitle("Label1");     // the titles under the icons
} // namespace ShelfControl

// Controls of the register window, placed by its layout table.
namespace RegisterWindowControl {
inline constexpr ControlName preview("Image1");       // the thumbnail preview
inline constexpr ControlName titleCaption("Label10"); // the caption over the title box
inline constexpr ControlName title("Text2");          // the book's title, editable
inline constexpr ControlName ok("Command1");
inline constexpr ControlName cancel("Command2");
inline constexpr ControlName panel("Picture3");     // the blue panel of details
inline constexpr ControlName thumbnail("Picture1"); // the thumbnail being sampled, out of sight
inline constexpr ControlName page("Picture2");      // the full-size page it is sampled from
inline constexpr ControlName labelCaption("Label2");
inline constexpr ControlName label("Text1"); // the page's file name
inline constexpr ControlName pathCaption("Label6");
inline constexpr ControlName path("Text3"); // the book's folder
inline constexpr ControlName numberCaption("Label7");
inline constexpr ControlName number("Label9"); // the entry number the book gets
inline constexpr ControlName numberUnit("Label8");
inline constexpr ControlName guidance("Label4"); // what registering does
inline constexpr ControlName folderCaption("Label5");
inline constexpr ControlName folder("Label3"); // the shelf folder
} // namespace RegisterWindowControl

} // namespace ruvo
