#include "scenario-player/model_driver.h"

#include "calculator/calculator.h"

namespace varostel {
namespace {

class ModelDriver final : public ScenarioDriver {
 public:
  void set_year(int year) override { clock_.fix_year(year); }
  void set(FieldId field, std::string_view text) override {
    [[maybe_unused]] const bool written = form().write_as_text(field, text);
  }
  void type(FieldId box, char32_t character) override { form().type(box, character); }
  void paste(FieldId box, std::string_view text) override { form().edit(box, text); }
  void choose(FieldId list, std::string_view item) override {
    [[maybe_unused]] const bool chosen = form().choose(list, item);
  }
  void click(FieldId field) override { form().click(field); }

  [[nodiscard]] std::string read(FieldId field) const override {
    const Form& f = calculator_.form();
    if (f.kind(field) == FieldKind::CheckBox) return f.value(field) == 1 ? "1" : "0";
    return f.text(field);
  }
  [[nodiscard]] bool enabled(FieldId field) const override {
    return calculator_.form().enabled(field);
  }
  [[nodiscard]] std::string note(FieldId field) const override {
    return calculator_.notes().note(field);
  }
  [[nodiscard]] const std::vector<PageOpening>& openings() const override {
    return opener_.openings();
  }

 private:
  Form& form() { return calculator_.form(); }

  RecordingOpener opener_;
  SettableClock clock_;
  Calculator calculator_{opener_, clock_};
};

}  // namespace

std::unique_ptr<ScenarioDriver> make_model_driver() { return std::make_unique<ModelDriver>(); }

}  // namespace varostel
