#include "form_model.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <stdexcept>

#include "numeric.h"

namespace milfo {

int twipsToPixels(int twips)
{
    return (twips + 7) / 15;
}

const char* kindName(ControlKind kind)
{
    switch (kind) {
        case ControlKind::Label:
            return "Label";
        case ControlKind::TextBox:
            return "TextBox";
        case ControlKind::ComboBox:
            return "ComboBox";
        case ControlKind::CommandButton:
            return "CommandButton";
    }
    return "?";
}

PixelRect pixelRect(const Control& control)
{
    return {twipsToPixels(control.left), twipsToPixels(control.top), twipsToPixels(control.width),
            twipsToPixels(control.height)};
}

namespace {

const std::vector<std::string> kNoEntries;

bool takesFocus(const Control& c)
{
    return c.kind != ControlKind::Label;
}

}  // namespace

FormRules::FormRules(const ProgramDescription& program) : program_(program)
{
    for (const Control& c : program.controls) {
        names_.emplace_back(c.name);
        clickHandlers_.push_back(program.handler(clickEvent(c.name)));
        byTabIndex_.push_back(&c);
        if (c.kind == ControlKind::ComboBox)
            lists_.push_back(&c);
    }
    std::stable_sort(byTabIndex_.begin(), byTabIndex_.end(),
                     [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    for (const Control* c : byTabIndex_)
        if (takesFocus(*c))
            tabOrder_.push_back(c);
    // Each caption just before the control it captions.
    const auto captionsOne = [&](const Control* label) {
        return std::any_of(byTabIndex_.begin(), byTabIndex_.end(),
                           [&](const Control* c) { return captionLabel(*c) == label; });
    };
    for (const Control* c : byTabIndex_) {
        if (captionsOne(c))
            continue;
        if (const Control* label = captionLabel(*c))
            readingOrder_.push_back(label);
        readingOrder_.push_back(c);
    }

    const auto writtenByButton = [&](const Control& box) {
        for (const Control& c : program.controls)
            if (c.kind == ControlKind::CommandButton)
                if (const Handler* h = clickHandler(c))
                    for (const char* r : h->results)
                        if (box.name == std::string_view(r))
                            return true;
        return false;
    };
    for (const Control* c : tabOrder_) {
        if (c->kind == ControlKind::ComboBox || (c->kind == ControlKind::TextBox && !writtenByButton(*c)))
            inputs_.push_back(c);
        else if (c->kind == ControlKind::TextBox)
            results_.push_back(c);
        if (c->kind == ControlKind::CommandButton) {
            const Handler* h = clickHandler(*c);
            if (h != nullptr && !h->results.empty())
                buttons_.push_back(c);
        }
    }
    numberInputs_.assign(program.controls.size(), false);
    for (const Control* c : inputs_)
        numberInputs_[indexOf(*c)] = readsNumber(*c);
    declaredReads();
}

namespace {

// The controls by their names, in tab order.
std::vector<const Control*> inTabOrder(const FormRules& rules, const std::vector<const char*>& names)
{
    std::vector<const Control*> controls;
    for (const Control* c : rules.tabOrder())
        for (const char* name : names)
            if (c->name == std::string_view(name))
                controls.push_back(c);
    return controls;
}

}  // namespace

void FormRules::declaredReads()
{
    const size_t n = program_.controls.size();
    reads_.resize(n);
    fills_.resize(n);
    defaults_.assign(n, false);
    optional_.assign(n, false);
    for (const char* name : program_.defaults)
        defaults_[placeOf(name)] = true;
    for (const char* name : program_.optionalInputs)
        optional_[placeOf(name)] = true;
    for (const Control* b : buttons_) {
        const Handler& h = *clickHandler(*b);
        reads_[indexOf(*b)] = h.reads.empty() ? inputs_ : inTabOrder(*this, h.reads);
        if (reads_[indexOf(*b)].size() != h.reads.size() && !h.reads.empty())
            throw std::logic_error(std::string(program_.name) + ": " + b->name +
                                   " reads a control it does not have");
    }
    for (const Control* list : lists_)
        if (const Handler* h = clickHandler(*list))
            fills_[indexOf(*list)] = inTabOrder(*this, h->results);
    for (const Choice& choice : program_.choices) {
        const Control* list = &program_.controls[placeOf(choice.list)];
        if (std::find(choiceLists_.begin(), choiceLists_.end(), list) == choiceLists_.end())
            choiceLists_.push_back(list);
        choices_.push_back({list, choice.entry, inTabOrder(*this, choice.reads)});
        if (choices_.back().reads.size() != choice.reads.size())
            throw std::logic_error(std::string(program_.name) + ": a choice of " + choice.list +
                                   " reads a control it does not have");
    }
}

size_t FormRules::indexOf(const Control& control) const
{
    const std::vector<Control>& all = controls();
    const std::less<const Control*> before;
    if (all.empty() || before(&control, all.data()) || !before(&control, all.data() + all.size()))
        throw std::logic_error(std::string(control.name) + " is no control of " + program_.name);
    return static_cast<size_t>(&control - all.data());
}

const Control* FormRules::find(std::string_view name) const
{
    for (size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == name)
            return &program_.controls[i];
    return nullptr;
}

size_t FormRules::placeOf(std::string_view name) const
{
    if (const Control* c = find(name))
        return indexOf(*c);
    throw std::logic_error(std::string(program_.name) + " has no control " + std::string(name));
}

std::string FormRules::clickEvent(std::string_view control)
{
    return std::string(control) + "_Click";
}

const Control* FormRules::captionLabel(const Control& control) const
{
    for (const Caption& cap : program_.captions)
        if (control.name == std::string_view(cap.control))
            return find(cap.label);
    return nullptr;
}

std::string FormRules::caption(const Control& control) const
{
    if (control.kind == ControlKind::CommandButton)
        return control.text;
    for (const Caption& cap : program_.captions) {
        if (control.name != std::string_view(cap.control))
            continue;
        if (cap.name != nullptr)
            return cap.name;
        if (const Control* label = find(cap.label))
            return label->text;
    }
    return control.name;
}

bool FormRules::readsNumber(const Control& box) const
{
    if (box.kind != ControlKind::TextBox)
        return false;
    for (const char* name : program_.textInputs)
        if (box.name == std::string_view(name))
            return false;
    return true;
}

const std::vector<const Control*>& FormRules::readsOf(const Control& button) const
{
    return reads_[indexOf(button)];
}

const std::vector<const Control*>& FormRules::choiceReads(const Control& list, std::string_view entry) const
{
    static const std::vector<const Control*> none;
    for (const ChoiceOf& c : choices_)
        if (c.list == &list && c.entry == entry)
            return c.reads;
    return none;
}

bool FormRules::hasDefault(const Control& input) const
{
    return defaults_[indexOf(input)];
}

bool FormRules::needs(const Control& input) const
{
    const size_t place = indexOf(input);
    return !defaults_[place] && !optional_[place];
}

const std::vector<const Control*>& FormRules::filledBy(const Control& list) const
{
    return fills_[indexOf(list)];
}

std::vector<const Control*> FormRules::ownInputs(const Control& button) const
{
    std::vector<const Control*> own;
    for (const Control* input : readsOf(button)) {
        bool shared = false;
        for (const Control* other : buttons_)
            if (other != &button) {
                const std::vector<const Control*>& r = readsOf(*other);
                shared = shared || std::find(r.begin(), r.end(), input) != r.end();
            }
        if (!shared)
            own.push_back(input);
    }
    return own;
}

std::vector<const Control*> FormRules::missingInputs(const std::vector<const Control*>& given,
                                                     const std::vector<const Control*>& presses) const
{
    const auto isGiven = [&](const Control& input) {
        for (const Control* c : given) {
            if (c == &input)
                return true;
            if (c->kind == ControlKind::ComboBox) {
                const std::vector<const Control*>& filled = filledBy(*c);
                if (std::find(filled.begin(), filled.end(), &input) != filled.end())
                    return true;
            }
        }
        return false;
    };
    std::vector<const Control*> missing;
    for (const Control* input : inputs_) {
        bool read = false;
        for (const Control* button : presses) {
            const std::vector<const Control*>& r = readsOf(*button);
            read = read || std::find(r.begin(), r.end(), input) != r.end();
        }
        if (read && needs(*input) && !isGiven(*input))
            missing.push_back(input);
    }
    return missing;
}

const std::vector<std::string>& FormRules::initialEntries(const Control& list) const
{
    for (const ListContents& contents : program_.lists)
        if (list.name == std::string_view(contents.list))
            return contents.entries;
    return kNoEntries;
}

FormModel::FormModel(const ProgramDescription& program)
    : FormModel(std::make_shared<const FormRules>(program))
{
}

namespace {

std::uint64_t newModelId()
{
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

}  // namespace

FormModel::FormModel(std::shared_ptr<const FormRules> rules) : rules_(std::move(rules)), id_(newModelId())
{
    const std::vector<Control>& controls = rules_->controls();
    texts_.reserve(controls.size());
    for (const Control& c : controls)
        texts_.emplace_back(c.kind == ControlKind::ComboBox ? "" : c.text);
    entries_.resize(controls.size());
    changedFlags_.assign(controls.size(), false);
    read_.assign(controls.size(), false);
}

FormModel::FormModel(const FormModel& other)
    : rules_(other.rules_),
      texts_(other.texts_),
      entries_(other.entries_),
      id_(newModelId()),
      sourceId_(other.id_),
      sourceChanges_(other.changes_),
      changedFlags_(other.texts_.size(), false),
      marks_(other.marks_),
      read_(other.texts_.size(), false),
      loaded_(other.loaded_),
      ended_(other.ended_)
{
}

FormModel& FormModel::operator=(const FormModel& other)
{
    if (&other == this)
        return *this;
    if (rules_ == other.rules_ && sourceId_ == other.id_ && sourceChanges_ == other.changes_) {
        for (const size_t place : changedSince_) {
            texts_[place] = other.texts_[place];
            entries_[place] = other.entries_[place];
            changedFlags_[place] = false;
        }
    } else {
        rules_ = other.rules_;
        texts_ = other.texts_;
        entries_ = other.entries_;
        changedFlags_.assign(texts_.size(), false);
        read_.assign(texts_.size(), false);
    }
    marks_ = other.marks_;
    changedSince_.clear();
    sourceId_ = other.id_;
    sourceChanges_ = other.changes_;
    ++changes_;
    loaded_ = other.loaded_;
    running_ = false;
    ended_ = other.ended_;
    return *this;
}

void FormModel::changed(size_t place)
{
    ++changes_;
    if (!changedFlags_[place]) {
        changedFlags_[place] = true;
        changedSince_.push_back(place);
    }
}

std::string FormModel::text(std::string_view control) const
{
    const size_t place = rules_->placeOf(control);
    if (running_)
        read_[place] = true;
    return texts_[place];
}

void FormModel::changeText(size_t place, std::string_view text)
{
    std::string& slot = texts_[place];
    slot.assign(text.data(), text.size());
    changed(place);
    if (observer_ != nullptr)
        observer_->textChanged(rules_->controls()[place], slot);
}

void FormModel::setText(std::string_view control, std::string_view text)
{
    changeText(rules_->placeOf(control), text);
}

void FormModel::setNote(std::string_view box, std::string_view note)
{
    const size_t place = rules_->placeOf(box);
    if (running_)
        notes_.emplace_back(place, note);
    else
        mark(place, std::string(note));
}

void FormModel::type(const Control& control, std::string_view text)
{
    const size_t place = rules_->indexOf(control);
    texts_[place].assign(text.data(), text.size());
    changed(place);
}

void FormModel::addItem(std::string_view list, std::string_view text)
{
    const size_t place = rules_->placeOf(list);
    const Control& c = rules_->controls()[place];
    if (c.kind != ControlKind::ComboBox)
        throw std::logic_error(std::string(c.name) + " is not a list");
    entries_[place].emplace_back(text);
    changed(place);
    if (observer_ != nullptr)
        observer_->itemAdded(c, entries_[place].back());
}

void FormModel::clearItems(std::string_view list)
{
    const size_t place = rules_->placeOf(list);
    const Control& c = rules_->controls()[place];
    if (c.kind != ControlKind::ComboBox)
        throw std::logic_error(std::string(c.name) + " is not a list");
    entries_[place].clear();
    texts_[place].clear();
    changed(place);
    if (observer_ != nullptr)
        observer_->itemsCleared(c);
}

std::optional<size_t> FormModel::findEntry(const Control& list, std::string_view text) const
{
    const std::vector<std::string>& e = entries(list);
    const auto it = std::find(e.begin(), e.end(), text);
    if (it == e.end())
        return std::nullopt;
    return static_cast<size_t>(it - e.begin());
}

std::optional<Failure> FormModel::load()
{
    if (loaded_)
        return std::nullopt;
    loaded_ = true;
    try {
        for (const Control* list : rules_->lists())
            for (const std::string& entry : rules_->initialEntries(*list))
                addItem(list->name, entry);
    } catch (...) {
        return currentFailure();
    }
    return raise(FormRules::kLoadEvent);
}

std::optional<Failure> FormModel::startAgain()
{
    FormModel fresh(rules_);
    const std::optional<Failure> failure = fresh.load();
    for (size_t place = 0; place < texts_.size(); ++place) {
        const Control& c = rules_->controls()[place];
        const std::string& text = fresh.texts_[place];
        if (c.kind == ControlKind::ComboBox &&
            (entries_[place] != fresh.entries_[place] || texts_[place] != text)) {
            clearItems(c.name);
            for (const std::string& entry : fresh.entries_[place])
                addItem(c.name, entry);
        }
        if (texts_[place] != text)
            changeText(place, text);
        if (!markOf(c).empty()) {
            marks_[place].clear();
            if (observer_ != nullptr)
                observer_->markChanged(c, marks_[place]);
        }
    }
    return failure;
}

std::optional<Failure> FormModel::pick(const Control& list, size_t entry)
{
    const size_t place = rules_->indexOf(list);
    if (running_ || ended_ || entry >= entries_[place].size())
        return std::nullopt;
    changeText(place, entries_[place][entry]);
    return run(rules_->clickHandler(list));
}

std::optional<Failure> FormModel::raise(std::string_view event)
{
    return run(program().handler(event));
}

std::optional<Failure> FormModel::run(const Handler* handler)
{
    if (handler == nullptr || running_ || ended_)
        return std::nullopt;
    std::fill(read_.begin(), read_.end(), false);
    notes_.clear();
    running_ = true;
    std::optional<Failure> failure = runHandler(*handler, *this);
    running_ = false;
    updateMarks(*handler);
    return failure;
}

void FormModel::mark(size_t place, std::string note)
{
    if (note == markOf(rules_->controls()[place]))
        return;
    marks_.resize(texts_.size());
    marks_[place] = std::move(note);
    if (observer_ != nullptr)
        observer_->markChanged(rules_->controls()[place], marks_[place]);
}

void FormModel::updateMarks(const Handler& handler)
{
    for (size_t place = 0; place < read_.size(); ++place)
        if (read_[place] && rules_->isNumberInput(place))
            mark(place, readingNote(texts_[place]).value_or(""));
    // The boxes the handler writes: the note it gave last, or none (a box it
    // emptied on a failure included); and any other box it gave a note.
    for (const char* box : handler.results)
        notes_.emplace(notes_.begin(), rules_->placeOf(box), std::string());
    for (size_t i = 0; i < notes_.size(); ++i) {
        bool later = false;
        for (size_t k = i + 1; k < notes_.size(); ++k)
            later = later || notes_[k].first == notes_[i].first;
        if (!later)
            mark(notes_[i].first, std::move(notes_[i].second));
    }
    notes_.clear();
}

const std::string& FormModel::markOf(const Control& box) const
{
    static const std::string none;
    const size_t place = rules_->indexOf(box);
    return marks_.empty() ? none : marks_[place];
}

std::optional<std::string> readingNote(std::string_view text)
{
    if (ReadsWhole(text))
        return std::nullopt;
    // Blanks alone (U+0020, tab, line feed, the ideographic space): an empty box.
    std::string_view rest = text;
    while (!rest.empty()) {
        if (rest.front() == ' ' || rest.front() == '\t' || rest.front() == '\n')
            rest.remove_prefix(1);
        else if (rest.substr(0, 3) == "\u3000")
            rest.remove_prefix(3);
        else
            break;
    }
    if (rest.empty())
        return std::nullopt;
    std::string value;
    try {
        value = ShowVariant(ReadVal(text));
    } catch (...) {
        return std::nullopt;  // a number beyond the range: the handler's own error
    }
    return "「" + std::string(text) + "」を " + value + " として計算しました";
}

}  // namespace milfo
