#include "template.h"

#include <utility>

#include "csv.h"

namespace milfo::calc {

namespace {

// Each program's example: the README's where it has one (fennick, ravelt,
// 保温設計), else the window's sample calculation of the screenshots; the
// inputs it leaves out keep their start text or are filled by a list.
struct Example {
    const char* program;
    std::vector<std::pair<const char*, const char*>> cells;
};

// clang-format off
const Example kExamples[] = {
    {"pimbrel", {{"Combo1", "保温板１号"}, {"Text1", "0"}, {"Text2", "100"}}},
    {"mostrel", {{"Combo1", "ウール２号"}, {"Text1", "10"}, {"Text2", "100"}}},
    {"nethrow", {{"Combo1", "ブランケット１号"}, {"Text1", "200"}, {"Text2", "800"}}},
    {"dovrin", {{"Combo1", "１号－１３"}, {"Text1", "0"}, {"Text2", "300"}}},
    {"sonderly", {{"Combo1", "保温板(筒)３号－２５"}, {"Text1", "20"}, {"Text2", "300"}}},
    {"tarvel", {{"Combo1", "ビーズ法保温板特号"}, {"Text1", "0"}, {"Text2", "50"}}},
    {"halcott", {{"Text1", "20"}, {"Text2", "80"}}},
    {"fennick", {{"Combo1", "保温筒１種"}, {"Text1", "0"}, {"Text2", "50"}}},
    {"castrel", {{"Combo1", "保温板１種１号"}, {"Text1", "0"}, {"Text2", "100"}}},
    {"熱伝達率", {{"Text1", "20"}, {"Text2", "50"}, {"Text4", "0.1"}, {"Text5", "0.05"},
                  {"Combo1", "仕上げセメント、布類"}}},
    {"放散熱量", {{"Text1", "0.05"}, {"Text2", "300"}, {"Text4", "20"}, {"Text5", "10"}, {"Text6", "0.1"},
                  {"Text7", "0.1143"}, {"Text8", "0.3143"}}},
    {"yardow", {{"Text1", "40"}, {"Text2", "20"}, {"Text3", "10"}, {"Text8", "0.3143"}}},
    {"ravelt", {{"Text1", "0.05"}, {"Text2", "300"}, {"Text3", "40"}, {"Text4", "20"}, {"Text5", "10"},
                {"Text7", "0.1143"}}},
    {"表面温度", {{"Text1", "20"}, {"Text2", "200"}, {"Text3", "10"}, {"Text8", "0.3143"}}},
    {"lorvast", {{"Text1", "20"}, {"Text4", "50"}}},
    {"保温設計", {{"Combo1", "ロックウール"}, {"Combo2", "保温筒"}, {"Text1", "350"}, {"Text2", "20"},
                  {"Text3", "70"}, {"Combo3", "アルミニウム板"}, {"Combo4", "水平管"}, {"Combo5", "150A"},
                  {"Combo6", "表面温度上限"}}},
    {"凍結防止", {{"Text1", "5"}, {"Text2", "-10"}, {"Combo2", "25A"}, {"Combo1", "鋼管"}, {"Text6", "0.02"},
                  {"Text7", "0.04"}, {"Text8", "8"}, {"Text9", "25"}}},
    {"温度降下", {{"Text1", "150"}, {"Text2", "10"}, {"Text3", "2000"}, {"Text4", "4.19"}, {"Text5", "100"},
                  {"Combo1", "100A"}, {"Text7", "0.05"}, {"Text8", "0.05"}, {"Text9", "8"}}},
    {"係数指定", {{"Text1", "20"}, {"Text2", "150"}, {"Text4", "0.02"}, {"Text5", "0.0001"}, {"Text6", "0"},
                  {"Text7", "-50"}, {"Text8", "200"}}},
    {"複層保温", {{"Combo1", "水平管"}, {"Combo2", "100A"}, {"Text2", "550"}, {"Text3", "20"},
                  {"Combo3", "アルミニウム板"}, {"Combo4", "けい酸カルシウム保温材"}, {"Combo5", "１号－１３"},
                  {"Text6", "50"}, {"Combo6", "ロックウール"}, {"Combo7", "保温筒"}, {"Text7", "75"}}},
};
// clang-format on

const Example* exampleOf(const char* program)
{
    for (const Example& e : kExamples)
        if (std::string_view(e.program) == program)
            return &e;
    return nullptr;
}

}  // namespace

Message roleText(const ProgramView& view, const Control& input, const InputRole& role)
{
    const bool list = input.kind == ControlKind::ComboBox;
    const auto captions = [&](const std::vector<const Control*>& controls) {
        std::vector<Message> named;
        for (const Control* c : controls)
            named.push_back(Message(Text::Plain, {view.caption(*c)}));
        return Arg::list(std::move(named), 0, Text::MoreColumns, Arg::Joined::Japanese);
    };
    switch (role.kind) {
        case InputRole::Kind::Needed:
            return Message(list ? Text::RoleNeededList : Text::RoleNeeded);
        case InputRole::Kind::NeededBy:
            return Message(list ? Text::RoleNeededByList : Text::RoleNeededBy, {captions(role.buttons)});
        case InputRole::Kind::NeededWhen: {
            std::vector<Message> when;
            for (const auto& [chooser, entries] : role.when) {
                std::vector<Message> named;
                for (const std::string& e : entries)
                    named.push_back(Message(Text::Plain, {e}));
                when.push_back(Message(Text::RoleChoice,
                                       {view.caption(*chooser),
                                        Arg::list(std::move(named), 0, Text::MoreColumns, Arg::Joined::Or)}));
            }
            return Message(list ? Text::RoleNeededWhenList : Text::RoleNeededWhen,
                           {Arg::list(std::move(when), 0, Text::MoreColumns, Arg::Joined::Japanese)});
        }
        case InputRole::Kind::Default:
            return Message(Text::RoleDefault, {input.text});
        case InputRole::Kind::Optional:
            return Message(Text::RoleOptional);
        case InputRole::Kind::Unread:
            break;
    }
    return list ? Message(Text::RoleUnreadList) : Message(Text::RoleUnread, {input.text});
}

std::vector<TemplateColumn> templateColumns(const ProgramView& view)
{
    const FormRules& rules = *view.rules();
    const Example* example = exampleOf(view.program().name);
    std::vector<TemplateColumn> columns;
    for (const Control* input : view.inputs()) {
        InputRole role = view.role(*input);
        if (role.kind == InputRole::Kind::Unread)
            continue;
        TemplateColumn c{input,
                         view.caption(*input),
                         role,
                         roleText(view, *input, role),
                         input->kind == ControlKind::ComboBox ? "" : input->text,
                         rules.initialEntries(*input),
                         ""};
        // A default's start text stands in the example too.
        if (role.kind == InputRole::Kind::Default)
            c.example = c.start;
        if (example != nullptr)
            for (const auto& [name, text] : example->cells)
                if (input->name == std::string_view(name))
                    c.example = text;
        columns.push_back(std::move(c));
    }
    return columns;
}

std::string templateCsv(const ProgramView& view)
{
    struct Bytes : ByteSink {
        std::string text;
        bool write(const char* data, size_t n) override
        {
            text.append(data, n);
            return true;
        }
    } bytes;
    const std::vector<TemplateColumn> columns = templateColumns(view);
    {
        CsvWriter out(bytes);
        out.byteOrderMark();
        for (const TemplateColumn& c : columns)
            out.cell(c.caption);
        out.endRecord();
        for (const TemplateColumn& c : columns)
            out.cell(c.example);
        out.endRecord();
    }
    return bytes.text;
}

std::string templateName(const ProgramView& view)
{
    return std::string(view.program().name) + "-ひな形.csv";
}

}  // namespace milfo::calc
