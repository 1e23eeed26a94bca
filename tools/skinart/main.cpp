// skinart: draws the five built-in skins and packs them.
//   skinart <folder>                    writes DarkGlass.ktz ... BluePlastic.ktz into the folder
//   skinart --preview <folder> [names]  writes a sampler sheet and the enlarged bitmaps of
//                                       each skin (or of the named ones) as PNG files
//   skinart --cells <name>              lists the cells a skin's master image must hold, to plan
//                                       its layout table
#include "PackageWriter.h"
#include "Preview.h"
#include "SkinBuilder.h"
#include "SkinElements.h"
#include "SkinPictures.h"

#include <QGuiApplication>
#include <exception>
#include <iostream>
#include <string>

namespace {

int WritePackages(const std::string& folder) {
    for (const SkinStyle& style : BuiltInStyles()) {
        const BuiltSkin skin = BuildSkin(style);
        WritePackageFile(folder + "/" + skin.FileName, skin.Entries);
        std::cout << skin.FileName << " " << skin.Package.size() << " bytes\n";
    }
    return 0;
}

int WritePreviews(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::string folder = argv[2];
    for (const SkinStyle& style : BuiltInStyles()) {
        bool wanted = argc <= 3;
        for (int i = 3; i < argc; ++i)
            wanted = wanted || style.Name == argv[i];
        if (!wanted)
            continue;
        const BuiltSkin skin = BuildSkin(style);
        PreviewSheet(skin.Package).save(QString::fromStdString(folder + "/" + style.Name + "-sheet.png"));
        // The pictures as packed (8-bit ones after the colour reduction), enlarged.
        for (const PackageEntry& entry : skin.Entries) {
            if (entry.Name.size() < 4 || entry.Name.substr(entry.Name.size() - 4) != ".bmp")
                continue;
            const QImage picture = DecodeBitmap(entry.Data);
            picture.scaled(picture.size() * 3)
                .save(QString::fromStdString(folder + "/" + style.Name + "-" + entry.Name + ".png"));
        }
        std::cout << style.Name << " " << skin.Package.size() << " bytes\n";
    }
    return 0;
}

// The cells a skin's master image must hold, for planning its layout table.
int PrintCells(const std::string& name) {
    for (const SkinStyle& style : BuiltInStyles())
        if (style.Name == name)
            for (const ElementCell& element : MasterElements(style)) {
                const AtlasSlot slot{element.Name, {}, element.Cell, {}};
                std::cout << element.Name << " " << slot.Rect().width() << " " << slot.Rect().height()
                          << "\n";
            }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        if (argc >= 3 && std::string(argv[1]) == "--preview")
            return WritePreviews(argc, argv);
        if (argc == 3 && std::string(argv[1]) == "--cells")
            return PrintCells(argv[2]);
        if (argc == 2)
            return WritePackages(argv[1]);
        std::cerr << "usage: skinart <folder> | skinart --preview <folder> [skin names] | skinart --cells "
                     "<skin name>\n";
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "skinart: " << error.what() << "\n";
        return 1;
    }
}
