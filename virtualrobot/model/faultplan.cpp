#include "virtualrobot/model/faultplan.h"

#include <charconv>

namespace vr {

namespace {

std::optional<int> parseInt(std::string_view text)
{
    int value = 0;
    const auto *end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || last != end)
        return std::nullopt;
    return value;
}

struct Rule
{
    std::string_view name;
    std::string_view value;
};

std::optional<Rule> splitRule(std::string_view rule)
{
    const auto equals = rule.find('=');
    if (equals == std::string_view::npos || equals == 0)
        return std::nullopt;
    return Rule{rule.substr(0, equals), rule.substr(equals + 1)};
}

std::string unknownOperation(std::string_view name)
{
    return "unknown operation '" + std::string(name) + "'";
}

} // namespace

void FaultPlan::setAnswers(Operation operation, std::vector<Answer> answers)
{
    auto &entry = m_operations[indexOf(operation)];
    entry.answers = std::move(answers);
    entry.next = 0;
}

void FaultPlan::setDelay(Operation operation, std::chrono::milliseconds delay)
{
    m_operations[indexOf(operation)].delay = delay;
}

void FaultPlan::setDelayForAll(std::chrono::milliseconds delay)
{
    for (auto &entry : m_operations)
        entry.delay = delay;
}

void FaultPlan::clear()
{
    m_operations = {};
}

std::string FaultPlan::addAnswerRule(std::string_view rule)
{
    const auto parts = splitRule(rule);
    if (!parts)
        return "expected OPERATION=RESULT[,RESULT...], got '" + std::string(rule) + "'";
    const auto operation = operationFromName(parts->name);
    if (!operation)
        return unknownOperation(parts->name);
    std::vector<Answer> answers;
    std::string_view rest = parts->value;
    while (true) {
        const auto comma = rest.find(',');
        const auto item = rest.substr(0, comma);
        if (item == "ok") {
            answers.emplace_back();
        } else if (const auto value = parseInt(item)) {
            answers.emplace_back(*value);
        } else {
            return "result '" + std::string(item) + "' is neither an integer nor 'ok'";
        }
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    setAnswers(*operation, std::move(answers));
    return {};
}

std::string FaultPlan::addDelayRule(std::string_view rule)
{
    const auto parts = splitRule(rule);
    if (!parts)
        return "expected OPERATION=MILLISECONDS or all=MILLISECONDS, got '" + std::string(rule) + "'";
    const auto milliseconds = parseInt(parts->value);
    if (!milliseconds || *milliseconds < 0)
        return "delay '" + std::string(parts->value) + "' is not a number of milliseconds";
    const std::chrono::milliseconds delay{*milliseconds};
    if (parts->name == "all") {
        setDelayForAll(delay);
        return {};
    }
    const auto operation = operationFromName(parts->name);
    if (!operation)
        return unknownOperation(parts->name);
    setDelay(*operation, delay);
    return {};
}

FaultPlan::Answer FaultPlan::takeAnswer(Operation operation)
{
    auto &entry = m_operations[indexOf(operation)];
    if (entry.answers.empty())
        return std::nullopt;
    const auto answer = entry.answers[entry.next];
    if (entry.next + 1 < entry.answers.size())
        ++entry.next;
    return answer;
}

std::chrono::milliseconds FaultPlan::delay(Operation operation) const
{
    return m_operations[indexOf(operation)].delay;
}

} // namespace vr
