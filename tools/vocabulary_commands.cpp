// font, model and component: what the product's descriptors and codes stand for.
#include <cstring>
#include <memory>
#include <vector>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "tool.h"

namespace corvix_tool {
namespace {

const char* StyleName(unsigned style) {
  switch (style) {
    case CORVIXMATH_FONT_STYLE_REGULAR:
      return "regular";
    case CORVIXMATH_FONT_STYLE_BOLD:
      return "bold";
    case CORVIXMATH_FONT_STYLE_ITALIC:
      return "italic";
    case CORVIXMATH_FONT_STYLE_BOLD_ITALIC:
      return "bold italic";
    default:
      return "unknown";
  }
}

void AddFont(CLI::App& app, Output& out) {
  auto descriptor = std::make_shared<std::string>();
  CLI::App* command =
      app.add_subcommand("font", "Decode a font descriptor 'Face,Size,Colour,Style'");
  command->add_option("DESCRIPTOR", *descriptor, "the descriptor")->required();
  command->callback([descriptor, &out] {
    std::vector<char> text(descriptor->begin(), descriptor->end());
    text.push_back('\0');
    // Outputs keep these defaults where the descriptor does not reach their field.
    char face[CORVIXMATH_FACE_BYTES] = "";
    unsigned char size = 0;
    unsigned long colour = 0;
    unsigned char style = 0;
    CMathOperation math;
    math.DecodeFontString(text.data(), face, &size, &colour, &style);
    out.Line(Format("face: %s", face));
    out.Line(Format("size: %u", static_cast<unsigned>(size)));
    out.Line(Format("colour: %lu (#%06lX)", colour, colour & 0xFFFFFFFFul));
    out.Line(Format("style: %u %s", static_cast<unsigned>(style), StyleName(style)));
  });
}

void AddModel(CLI::App& app, Output& out) {
  auto number = std::make_shared<std::string>();
  CLI::App* command =
      app.add_subcommand("model", "What a device model number maps to (the four model tables)");
  command->add_option("NUMBER", *number, "the device model number 0-65535")->required();
  command->callback([number, &out] {
    const auto model = static_cast<unsigned short>(ParseInteger(*number, 0, 65535, "model"));
    CMathOperation math;
    const unsigned tavlin = math.CorvixDeviceModelToTavlinDataType(model);
    const unsigned structure = math.CorvixDeviceModelToDataStructureType(model);
    const long iam = math.ModelToIam(model);
    const unsigned deviceClass = math.WhatIsThis(model);
    out.Line(Format("model: %u", static_cast<unsigned>(model)));
    out.Line(Format("tavlin data type: %u%s", tavlin, tavlin == 255 ? " (none)" : ""));
    out.Line(Format("data structure type: %u%s", structure, structure == 0 ? " (none)" : ""));
    out.Line(Format("iam code: %ld%s", iam, iam == 0 ? " (none)" : ""));
    out.Line(Format("device class: %u%s", deviceClass, deviceClass == 0 ? " (unknown)" : ""));
    if (tavlin == 255 && structure == 0 && iam == 0 && deviceClass == 0)
      out.Refuse("the library knows no device model " + std::to_string(model));
  });
}

void AddComponent(CLI::App& app, Output& out) {
  auto id = std::make_shared<std::string>();
  CLI::App* command = app.add_subcommand("component", "The software component of a computer id");
  command->add_option("ID", *id, "the computer id")->required();
  command->callback([id, &out] {
    const int computerId = static_cast<int>(ParseInteger(*id, -2147483647L - 1, 2147483647L, "id"));
    char name[CORVIXMATH_NAME_BYTES] = "";
    CMathOperation math;
    math.ComputerIdToString(computerId, name);
    out.Line(name);  // what the library wrote: nothing for an unknown id
    if (name[0] == '\0') out.Refuse("no component has the id " + std::to_string(computerId));
  });
}

}  // namespace

void AddVocabularyCommands(CLI::App& app, Output& out) {
  AddFont(app, out);
  AddModel(app, out);
  AddComponent(app, out);
}

}  // namespace corvix_tool
