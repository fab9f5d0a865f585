#include "sim/ProgramCompiler.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "sim/ProgramText.h"
#include "sim/StepOperands.h"

namespace vantrel {

namespace {

using namespace simprog;
using namespace simprog::compileError;

constexpr int kMainProgram = 100;

std::uint16_t clampU16(int v) { return static_cast<std::uint16_t>(std::clamp(v, 0, 0xFFFF)); }

// A refusal at a step of a program, or at the program as a whole.
struct Refusal {
    std::uint16_t error = 0;
    const SourceProgram* program = nullptr;
    const SourceStep* step = nullptr;
    int number = 0;  // the program's number when it has none of its own
};

CompileVerdict verdictOf(const Refusal& r) {
    CompileVerdict v;
    v.error = r.error;
    const int number = r.program && r.program->number >= 0 ? r.program->number : r.number;
    v.values = {r.error, clampU16(r.step ? r.step->lineOffset : 1), clampU16(number),
                clampU16(r.step ? r.step->commentsBefore : 0)};
    return v;
}

// "L" and three digits 001..999; 0 otherwise.
int labelNumber(std::string_view text) {
    if (text.size() != 4 || text[0] != 'L') return 0;
    int n = 0;
    for (const char c : text.substr(1)) {
        if (c < '0' || c > '9') return 0;
        n = n * 10 + (c - '0');
    }
    return n;
}

struct LabelledStep {
    int label;
    std::size_t program;  // index into the sources
    std::size_t step;
};

class Compiler {
public:
    explicit Compiler(std::string_view text) : sources_(splitProgramText(text)) {}

    CompileVerdict run() {
        if (auto r = readPrograms()) return verdictOf(*r);
        if (auto r = checkLabels()) return verdictOf(*r);
        if (!numbers_.count(kMainProgram)) return verdictOf(Refusal{kProgram100, nullptr, nullptr, kMainProgram});
        if (auto r = resolveReferences()) return verdictOf(*r);
        CompileVerdict v;
        v.programs = std::move(set_);
        return v;
    }

private:
    std::optional<Refusal> readPrograms() {
        int total = 0;
        for (const SourceProgram& program : sources_) {
            if (program.number < 1 || program.number > 255 || !numbers_.insert(program.number).second)
                return Refusal{kProgramNumber, &program, nullptr, 0};
            std::vector<ParsedStep> steps;
            for (const SourceStep& source : program.steps) {
                const Refusal here{0, &program, &source, 0};
                auto fail = [&](std::uint16_t error) {
                    Refusal r = here;
                    r.error = error;
                    return r;
                };
                if (steps.size() >= static_cast<std::size_t>(kMaxProgramSteps)) return fail(kCommandCount);
                if (++total > kCodeCapacitySteps) return fail(kCodeSize);
                if (!source.hasTab && !source.blank) return fail(kSyntax);
                if (!source.label.empty()) {
                    const int label = labelNumber(source.label);
                    if (label == 0) return fail(kLabel);
                    labels_.push_back({label, static_cast<std::size_t>(&program - sources_.data()), steps.size()});
                }
                ParsedStep parsed = parseStep(source.keyword, source.operand);
                if (parsed.error) return fail(parsed.error);
                if (!parsed.declares.empty() && !declared_.count(parsed.declares)) {
                    declared_[parsed.declares] = static_cast<int>(set_->variables.size());
                    set_->variables.push_back(parsed.declares);
                }
                steps.push_back(std::move(parsed));
            }
            if (auto r = matchIfBlocks(program, steps)) return r;
            parsed_.push_back(std::move(steps));
        }
        return std::nullopt;
    }

    // IF … THEN, ELSE, ENDIF: each IF's false branch, each ELSE's jump over the other.
    static std::optional<Refusal> matchIfBlocks(const SourceProgram& program, std::vector<ParsedStep>& steps) {
        struct Open {
            std::size_t ifStep;
            std::optional<std::size_t> elseStep;
        };
        std::vector<Open> open;
        auto refuse = [&](std::size_t i) { return Refusal{kCommand, &program, &program.steps[i], 0}; };
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const Op op = steps[i].instruction.op;
            if (op == Op::IfThen) {
                open.push_back({i, std::nullopt});
            } else if (op == Op::Else) {
                if (open.empty() || open.back().elseStep) return refuse(i);
                open.back().elseStep = i;
                steps[open.back().ifStep].instruction.target = static_cast<int>(i + 1);
            } else if (op == Op::EndIf) {
                if (open.empty()) return refuse(i);
                const Open block = open.back();
                open.pop_back();
                if (block.elseStep)
                    steps[*block.elseStep].instruction.target = static_cast<int>(i + 1);
                else
                    steps[block.ifStep].instruction.target = static_cast<int>(i + 1);
            }
        }
        if (!open.empty()) return refuse(open.back().ifStep);
        return std::nullopt;
    }

    std::optional<Refusal> checkLabels() {
        if (labels_.size() > static_cast<std::size_t>(kLabelCapacity)) return refusalAt(kLabelCount, labels_[kLabelCapacity]);
        // A label number is used once in the whole file; a jump finds it in its own program.
        std::set<int> seen;
        for (const LabelledStep& l : labels_) {
            if (!seen.insert(l.label).second) return refusalAt(kLabel, l);
            labelSteps_[{l.program, l.label}] = static_cast<int>(l.step);
        }
        return std::nullopt;
    }

    std::optional<Refusal> resolveReferences() {
        for (std::size_t p = 0; p < parsed_.size(); ++p) {
            for (std::size_t s = 0; s < parsed_[p].size(); ++s) {
                ParsedStep& step = parsed_[p][s];
                Instruction& in = step.instruction;
                const Refusal here{0, &sources_[p], &sources_[p].steps[s], 0};
                if (step.labelRef) {
                    const auto it = labelSteps_.find({p, step.labelRef});
                    if (it == labelSteps_.end()) return Refusal{kJump, here.program, here.step, 0};
                    in.target = it->second;
                }
                if (step.programRef) {
                    if (!numbers_.count(step.programRef)) return Refusal{kJump, here.program, here.step, 0};
                    in.number = step.programRef;
                }
                std::vector<int> slots;
                for (const std::string& name : step.names) {
                    const auto it = declared_.find(name);
                    if (it == declared_.end()) return Refusal{kIoSymbol, here.program, here.step, 0};
                    slots.push_back(it->second);
                }
                resolveNames(in, slots);
            }
            set_->programs[sources_[p].number].clear();
            for (ParsedStep& step : parsed_[p]) set_->programs[sources_[p].number].push_back(std::move(step.instruction));
        }
        return std::nullopt;
    }

    static void resolveNames(Instruction& in, const std::vector<int>& slots) {
        auto resolve = [&](ValueRef& v) {
            if (v.kind == ValueRef::Kind::Variable) v.value = slots[static_cast<std::size_t>(v.value)];
        };
        resolve(in.left);
        resolve(in.right);
        resolve(in.expression.first);
        for (auto& [op, v] : in.expression.rest) resolve(v);
        if (in.assignTo >= 0) in.assignTo = slots[static_cast<std::size_t>(in.assignTo)];
    }

    Refusal refusalAt(std::uint16_t error, const LabelledStep& l) const {
        const SourceProgram& program = sources_[l.program];
        return Refusal{error, &program, &program.steps[l.step], 0};
    }

    std::vector<SourceProgram> sources_;
    std::set<int> numbers_;
    std::vector<std::vector<ParsedStep>> parsed_;  // per source program, in file order
    std::vector<LabelledStep> labels_;
    std::map<std::pair<std::size_t, int>, int> labelSteps_;  // (program index, label) -> step
    std::map<std::string, int> declared_;
    std::shared_ptr<ProgramSet> set_ = std::make_shared<ProgramSet>();
};

}  // namespace

CompileVerdict compileProgramFile(std::string_view text) { return Compiler(text).run(); }

}  // namespace vantrel
