#include "paper/PaperDocument.h"

#include "paper/PaperName.h"
#include "paper/RecipeJson.h"

#include <nlohmann/json.hpp>

namespace tessel {

Json toJson(const CustomPaper& paper) {
    return Json{{"id", paper.id.toStdString()},
                {"name", paper.name.toStdString()},
                {"recipe", toJson(paper.recipe)}};
}

std::optional<CustomPaper> customPaperFromJson(const Json& json) {
    if (!json.is_object()) {
        return std::nullopt;
    }
    const auto id = json.find("id");
    const auto name = json.find("name");
    const auto recipe = json.find("recipe");
    if (id == json.end() || !id->is_string() || name == json.end() || !name->is_string() ||
        recipe == json.end()) {
        return std::nullopt;
    }
    const auto decoded = recipeFromJson(*recipe);
    if (!decoded) {
        return std::nullopt;
    }
    return CustomPaper{QString::fromStdString(id->get<std::string>()),
                       cleanPaperName(QString::fromStdString(name->get<std::string>())), *decoded};
}

} // namespace tessel
