// itemicons: composes the item icons from their drawings.
//
//   itemicons --table TABLE --drawings FOLDER --out FOLDER DATABASE...
//
// The drawings folder holds each drawing rendered to DRAWING.png (64 x 64,
// like the plate), and DRAWING.mask.png where its material is white. Every
// icon name that an item of the database files uses must have a row in the
// table, and every row must belong to such a name; weapons, armour and
// shields of two kinds must not be made from one drawing, nor a goods icon
// be composed like another ordinary item's. Otherwise nothing is written and
// the exit code is 1. Each icon is written as OUT/ICON.jpg; the output
// depends only on the inputs, so every run writes the same bytes.

#include "IconCompose.h"
#include "IconTable.h"
#include "JpegWriter.h"
#include "PngImage.h"

#include "tools/common/ToolFiles.h"

#include "Fc/Core/FCObjectMap.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelItemInfo.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>
#include <vector>

namespace
{
constexpr int kJpegQuality = 92;

struct Options
{
    std::string table;
    std::string drawings;
    std::string output;
    std::vector<std::string> databases;
};

void PrintErrors(const std::vector<std::string>& errors)
{
    for (const std::string& error : errors)
        std::fprintf(stderr, "itemicons: %s\n", error.c_str());
}

bool ParseOptions(const std::vector<std::string>& args, Options& options)
{
    for (std::size_t i = 0; i < args.size(); ++i)
    {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--table" && hasValue)
            options.table = args[++i];
        else if (args[i] == "--drawings" && hasValue)
            options.drawings = args[++i];
        else if (args[i] == "--out" && hasValue)
            options.output = args[++i];
        else if (args[i].rfind("--", 0) == 0)
            return false;
        else
            options.databases.push_back(args[i]);
    }
    return !options.table.empty() && !options.drawings.empty() && !options.output.empty() &&
           !options.databases.empty();
}

IconGroup GroupOf(const FCObject& item)
{
    switch (item.GetTypeCode())
    {
    case VelItemInfo::kWeaponCode:
    case VelItemInfo::kArmorCode:
    case VelItemInfo::kShieldCode:
        return IconGroup::Arms;
    case VelItemInfo::kGoodsCode:
        return IconGroup::Goods;
    default:
        return IconGroup::Other;
    }
}

// The icon names of every item the database files hold.
bool ReadItemIcons(const std::vector<std::string>& databases, std::vector<ItemIcon>& icons,
                   std::vector<std::string>& errors)
{
    VelDatabase::Clear();
    for (const std::string& path : databases)
    {
        if (!VelDatabase::ParseFile(path))
            errors.push_back(path + ": not a readable database file");
    }
    if (FCObjectMap* items = VelDatabase::GetMap(VelDatabase::kTagItem))
    {
        FCObjectMap::Cursor walk = items->First();
        FCObject* object = nullptr;
        while (items->GetNext(object, &walk))
        {
            const auto* item = static_cast<const VelItemInfo*>(static_cast<VelInfo*>(object));
            if (!item->iconFile.empty())
                icons.push_back(ItemIcon{item->iconFile, GroupOf(*object)});
        }
    }
    VelDatabase::Clear();
    if (icons.empty() && errors.empty())
        errors.push_back("the database files hold no item with an icon");
    return errors.empty();
}

// Rendered drawings, each read once however many icons use it.
class DrawingCache
{
public:
    explicit DrawingCache(std::string folder) : folder(std::move(folder)) {}

    // The picture FOLDER/NAME.png (suffix ".mask" for a mask); null, with an
    // error added, when it is missing, unreadable or not of the given size.
    const RgbaPicture* Get(const std::string& name, std::uint32_t width, std::uint32_t height,
                           std::vector<std::string>& errors)
    {
        const auto cached = pictures.find(name);
        if (cached != pictures.end())
            return Checked(name, cached->second, width, height, errors);
        const std::string path = folder + "/" + name + ".png";
        PngImage png;
        std::string error;
        if (!ReadPng(path, false, png, error))
        {
            errors.push_back(error);
            return nullptr;
        }
        RgbaPicture& picture = pictures[name];
        picture = RgbaPicture{png.width, png.height, std::move(png.pixels)};
        return Checked(name, picture, width, height, errors);
    }

private:
    const RgbaPicture* Checked(const std::string& name, const RgbaPicture& picture,
                               std::uint32_t width, std::uint32_t height,
                               std::vector<std::string>& errors) const
    {
        if (width == 0 || (picture.width == width && picture.height == height))
            return &picture;
        errors.push_back(folder + "/" + name + ".png: " + std::to_string(picture.width) + " x " +
                         std::to_string(picture.height) + ", not the plate's " +
                         std::to_string(width) + " x " + std::to_string(height));
        return nullptr;
    }

    std::string folder;
    std::map<std::string, RgbaPicture> pictures;
};

// Gathers every row's layers before anything is written, so that a table
// naming a missing drawing leaves the output folder as it was.
bool GatherLayers(const IconTable& table, DrawingCache& drawings,
                  std::vector<IconLayers>& layers, std::vector<std::string>& errors)
{
    const RgbaPicture* plate = drawings.Get(table.plate, 0, 0, errors);
    if (!plate)
        return false;
    for (const IconRow& row : table.rows)
    {
        IconLayers icon;
        icon.plate = plate;
        icon.drawing = drawings.Get(row.drawing, plate->width, plate->height, errors);
        if (!row.tint.empty())
        {
            icon.tinted = true;
            icon.tintRgb = table.tints.at(row.tint);
            icon.mask = drawings.Get(row.drawing + ".mask", plate->width, plate->height, errors);
        }
        if (!row.mark.empty())
            icon.mark = drawings.Get(table.marks.at(row.mark), plate->width, plate->height, errors);
        layers.push_back(icon);
    }
    return errors.empty();
}
} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(std::vector<std::string>(argv + 1, argv + argc), options))
    {
        std::fprintf(stderr,
                     "usage: itemicons --table TABLE --drawings FOLDER --out FOLDER DATABASE...\n");
        return 2;
    }
    std::vector<std::string> errors;
    std::string text;
    IconTable table;
    std::vector<ItemIcon> icons;
    std::vector<std::string> names;
    const bool read = ToolFiles::ReadWholeFile(options.table, text, errors) &&
                      ParseIconTable(text, options.table, table, errors) &&
                      ReadItemIcons(options.databases, icons, errors);
    for (const ItemIcon& icon : icons)
        names.push_back(icon.icon);
    // Both checks run, so one build lists every problem of the table.
    const bool named = read && CheckIconNames(table, names, options.table, errors);
    const bool distinct = read && CheckIconSharing(table, icons, options.table, errors);
    if (!named || !distinct)
    {
        PrintErrors(errors);
        return 1;
    }
    DrawingCache drawings(options.drawings);
    std::vector<IconLayers> layers;
    if (!GatherLayers(table, drawings, layers, errors))
    {
        PrintErrors(errors);
        return 1;
    }
    std::error_code folderError;
    std::filesystem::create_directories(options.output, folderError);
    for (std::size_t i = 0; i < table.rows.size(); ++i)
    {
        const RgbaPicture& plate = *layers[i].plate;
        std::vector<std::uint8_t> jpeg;
        std::string error;
        if (!EncodeJpeg(ComposeIcon(layers[i]), plate.width, plate.height, kJpegQuality, jpeg, error))
        {
            PrintErrors({table.rows[i].icon + ": " + error});
            return 1;
        }
        const std::string path = options.output + "/" + table.rows[i].icon;
        if (!ToolFiles::WriteReplacing(path, jpeg.data(), jpeg.size()))
            return 1;
    }
    return 0;
}
