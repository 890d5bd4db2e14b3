#pragma once

#include "virtualrobot/model/operationlookup.h"

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vr {

/// Failures a user asks the robot to rehearse: results that stand in for
/// what a healthy robot answers, and answer delays.
class FaultPlan
{
public:
    /// One planned answer: a fixed result, or empty for the healthy one.
    using Answer = std::optional<int>;

    /// Plans the answers of an operation, used one per call; the last one
    /// then repeats. An empty list restores the healthy answers.
    void setAnswers(Operation operation, std::vector<Answer> answers);
    /// Delays every answer of an operation.
    void setDelay(Operation operation, std::chrono::milliseconds delay);
    /// Delays the answers of every operation.
    void setDelayForAll(std::chrono::milliseconds delay);
    /// Back to a healthy robot.
    void clear();

    /// Reads "Operation=R1,R2,..." where each R is an integer or "ok" (the
    /// healthy answer). Returns an error text, empty when the rule was taken.
    std::string addAnswerRule(std::string_view rule);
    /// Reads "Operation=MS" or "all=MS". Returns an error text, empty when
    /// the rule was taken.
    std::string addDelayRule(std::string_view rule);

    /// The answer planned for the next call of the operation, consuming it.
    Answer takeAnswer(Operation operation);
    /// How long the robot waits before answering the operation.
    std::chrono::milliseconds delay(Operation operation) const;

private:
    struct PerOperation
    {
        std::vector<Answer> answers;
        std::size_t next = 0;
        std::chrono::milliseconds delay{0};
    };
    std::array<PerOperation, kOperationCount> m_operations{};
};

} // namespace vr
