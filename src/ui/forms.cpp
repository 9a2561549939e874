#include "forms.h"

#include <unordered_map>
#include <vector>

namespace ui {

namespace {
struct Registry {
    std::unordered_map<std::type_index, Form*> byType;
    std::vector<std::unique_ptr<Form>> owned;  // in order of creation
};
Registry& registry()
{
    static Registry r;
    return r;
}

std::function<void()>& lastFormHandler()
{
    static std::function<void()> h;
    return h;
}
}  // namespace

namespace detail {
void formUnloaded()
{
    // A copy: the handler may replace itself.
    const std::function<void()> h = lastFormHandler();
    if (h && loadedForms().isEmpty())
        h();
}

Form* findForm(std::type_index type)
{
    auto& r = registry();
    auto it = r.byType.find(type);
    return it == r.byType.end() ? nullptr : it->second;
}

void addForm(std::type_index type, std::unique_ptr<Form> form)
{
    auto& r = registry();
    r.byType[type] = form.get();
    r.owned.push_back(std::move(form));
}
}  // namespace detail

void setLastFormUnloadedHandler(std::function<void()> handler) { lastFormHandler() = std::move(handler); }

QList<Form*> loadedForms()
{
    QList<Form*> out;
    for (const auto& f : registry().owned)
        if (f->isLoaded())
            out << f.get();
    return out;
}

void destroyAllForms()
{
    auto& r = registry();
    // Last made, first gone: later forms may refer to earlier ones.
    while (!r.owned.empty()) {
        std::unique_ptr<Form> f = std::move(r.owned.back());
        r.owned.pop_back();
        for (auto it = r.byType.begin(); it != r.byType.end(); ++it)
            if (it->second == f.get()) {
                r.byType.erase(it);
                break;
            }
    }
}

}  // namespace ui
