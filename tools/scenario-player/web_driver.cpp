#include "scenario-player/web_driver.h"

#include "model/field_table.h"
#include "model/utf8.h"

namespace varostel {
namespace {

using nlohmann::json;

class WebDriver final : public ScenarioDriver {
 public:
  explicit WebDriver(WebSession& session) : session_(session) {
    static_cast<void>(ask({{"step", "load"}}));
  }

  void set_year(int year) override { static_cast<void>(ask({{"step", "setYear"}, {"year", year}})); }

  void set(FieldId field, std::string_view text) override {
    const json written = ask({{"step", "set"}, {"name", name(field)}, {"text", text}});
    if (!fault_ && written != true) fault_ = "the page refused to write " + name(field);
  }

  void type(FieldId box, char32_t character) override {
    std::string text;
    utf8::append(text, character);
    static_cast<void>(ask({{"step", "type"}, {"name", name(box)}, {"character", text}}));
  }

  void paste(FieldId box, std::string_view text) override {
    static_cast<void>(ask({{"step", "paste"}, {"name", name(box)}, {"text", text}}));
  }

  void choose(FieldId list, std::string_view item) override {
    static_cast<void>(ask({{"step", "choose"}, {"name", name(list)}, {"item", item}}));
  }

  void click(FieldId field) override {
    static_cast<void>(ask({{"step", "click"}, {"name", name(field)}}));
  }

  [[nodiscard]] std::string read(FieldId field) const override {
    return text_of(ask({{"step", "read"}, {"name", name(field)}}), "read");
  }

  [[nodiscard]] bool enabled(FieldId field) const override {
    const json enabled = ask({{"step", "enabled"}, {"name", name(field)}});
    if (!fault_ && !enabled.is_boolean()) fault_ = "the enabled flag is not true or false";
    return enabled == true;
  }

  [[nodiscard]] std::string note(FieldId field) const override {
    return text_of(ask({{"step", "note"}, {"name", name(field)}}), "note");
  }

  [[nodiscard]] const std::vector<PageOpening>& openings() const override {
    const json list = ask({{"step", "openings"}});
    openings_.clear();
    for (const json& opening : list.is_array() ? list : json::array()) {
      const json address = opening.is_object() ? opening.value("address", json()) : json();
      const json mode = opening.is_object() ? opening.value("mode", json()) : json();
      if (!address.is_string() || (mode != "hidden" && mode != "normal")) {
        if (!fault_) fault_ = "the page lists an opening out of form: " + opening.dump();
        continue;
      }
      openings_.push_back(
          {address.get<std::string>(), mode == "hidden" ? WindowMode::Hidden : WindowMode::Normal});
    }
    if (!fault_ && !list.is_array()) fault_ = "the page's openings are not a list";
    return openings_;
  }

  [[nodiscard]] std::optional<std::string> fault() const override { return fault_; }

 private:
  static std::string name(FieldId field) { return std::string(field_row(field).name); }

  // After the first fault nothing more is asked: the scenario is over.
  json ask(const json& request) const {
    if (fault_) return nullptr;
    WebReply reply = session_.request(request);
    if (!reply.ok()) fault_ = std::move(reply.error);
    return std::move(reply.value);
  }

  std::string text_of(const json& value, std::string_view what) const {
    if (value.is_string()) return value.get<std::string>();
    if (!fault_) fault_ = "the page's " + std::string(what) + " is not a text: " + value.dump();
    return {};
  }

  WebSession& session_;
  mutable std::optional<std::string> fault_;
  mutable std::vector<PageOpening> openings_;
};

}  // namespace

std::unique_ptr<ScenarioDriver> make_web_driver(WebSession& session) {
  return std::make_unique<WebDriver>(session);
}

}  // namespace varostel
