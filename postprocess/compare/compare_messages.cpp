#include "postprocess/compare/compare_messages.h"

#include <cmath>

#include "common/strformat.h"

namespace quorvane {

namespace {

std::string metres(double value) {
    return fixedDecimals(value, 2);
}

std::string percent(double share) {
    return fixedDecimals(share * 100.0, 0);
}

// Rays that turned back are left out of the verdict; the reader should know the verdict speaks
// for fewer beams than the swath has.
Text withTurnedRays(Text verdict, size_t turned) {
    if (turned > 0) {
        verdict.zh += strformat("%zu个波束角的声线在该深度之上折返，未计入。", turned);
        verdict.en +=
            strformat(" %zu beam angles turned back above that depth and were left out.", turned);
    }
    return verdict;
}

}  // namespace

Text surveyOrderName(SurveyOrder order) {
    switch (order) {
        case SurveyOrder::Exclusive:
            return {"专属等级", "Exclusive Order"};
        case SurveyOrder::Special:
            return {"特等", "Special Order"};
        case SurveyOrder::Order1a:
            return {"1a等", "Order 1a"};
        case SurveyOrder::Order1b:
            return {"1b等", "Order 1b"};
        case SurveyOrder::Order2:
            break;
    }
    return {"2等", "Order 2"};
}

Text comparisonVerdict(const ProfileComparison& c) {
    switch (c.problem) {
        case ComparisonProblem::EmptyProfile:
            return {"两条声速剖面都至少需要一个点，无法比较。",
                    "Both profiles need at least one point; they cannot be compared."};
        case ComparisonProblem::SpeedNotPositive:
            return {"剖面中有无效或不为正的声速，无法比较。",
                    "A profile holds a sound speed that is not a positive number; the profiles "
                    "cannot be compared."};
        case ComparisonProblem::DepthNotBelowDraft: {
            const std::string depth = metres(c.depth), draft = metres(c.draft);
            return {strformat("比较深度%s米不在换能器吃水%s米之下，无法比较。", depth.c_str(),
                              draft.c_str()),
                    strformat("The comparison depth (%s m) does not lie below the transducer "
                              "draft (%s m); the profiles cannot be compared.",
                              depth.c_str(), draft.c_str())};
        }
        case ComparisonProblem::None:
            break;
    }
    const Text order = surveyOrderName(c.order);
    const std::string largest = metres(std::abs(c.largestDepthDifference));
    const int angle = int(std::lround(c.largestAtAngle));
    const std::string ofDepth = fixedDecimals(c.largestPercentOfDepth, 2);
    const std::string share = percent(c.tvuShare), allowed = percent(c.allowedTvuShare);
    const std::string tvu = metres(c.tvu), depth = fixedDecimals(c.depth, 1);
    if (c.newCastAdvised) {
        return withTurnedRays(
            {strformat("请重新投放：最大深度差%s米（%d°，水深的%s%%）为%s总垂直不确定度"
                       "（%s米水深处%s米）的%s%%，超过剖面可占的%s%%。",
                       largest.c_str(), angle, ofDepth.c_str(), order.zh.c_str(), depth.c_str(),
                       tvu.c_str(), share.c_str(), allowed.c_str()),
             strformat("Take a new cast: the largest depth difference, %s m at %d° (%s %% of the "
                       "depth), is %s %% of the %s TVU (%s m at %s m), more than the %s %% a "
                       "profile may take.",
                       largest.c_str(), angle, ofDepth.c_str(), share.c_str(), order.en.c_str(),
                       tvu.c_str(), depth.c_str(), allowed.c_str())},
            c.turnedAngles);
    }
    return withTurnedRays(
        {strformat("在%s总垂直不确定度的%s%%以内：最大深度差%s米（%d°，水深的%s%%），"
                   "%s米水深处的总垂直不确定度为%s米。",
                   order.zh.c_str(), share.c_str(), largest.c_str(), angle, ofDepth.c_str(),
                   depth.c_str(), tvu.c_str()),
         strformat("Within %s %% of the %s TVU: the largest depth difference is %s m at %d° (%s "
                   "%% of the depth), against a TVU of %s m at %s m.",
                   share.c_str(), order.en.c_str(), largest.c_str(), angle, ofDepth.c_str(),
                   tvu.c_str(), depth.c_str())},
        c.turnedAngles);
}

Text probeCheckText(const ProbeCheck& check) {
    const std::string draft = metres(check.draft);
    switch (check.problem) {
        case ProbeCheckProblem::EmptyCast:
            return {"没有声速剖面，无法检查表层声速探头。",
                    "There is no cast to check the surface probe against."};
        case ProbeCheckProblem::DraftOutsideCast: {
            const std::string top = metres(check.castTop), bottom = metres(check.castBottom);
            return {
                strformat("换能器吃水%s米在剖面的深度范围（%s–%s米）之外，无法检查表层声速探头。",
                          draft.c_str(), top.c_str(), bottom.c_str()),
                strformat("The transducer draft (%s m) lies outside the cast (%s to %s m); "
                          "the surface probe cannot be checked against it.",
                          draft.c_str(), top.c_str(), bottom.c_str())};
        }
        case ProbeCheckProblem::None:
            break;
    }
    const std::string probe = metres(check.probeSpeed), cast = metres(check.castSpeed);
    const std::string apart = metres(std::abs(check.difference)), limit = metres(check.limit);
    if (check.passed) {
        return {
            strformat("表层声速探头为%s米/秒，剖面在吃水%s米处为%s米/秒，相差%s米/秒，"
                      "在%s米/秒以内。",
                      probe.c_str(), draft.c_str(), cast.c_str(), apart.c_str(), limit.c_str()),
            strformat("The surface probe reads %s m/s, the cast %s m/s at the %s m draft: %s "
                      "m/s apart, within %s m/s.",
                      probe.c_str(), cast.c_str(), draft.c_str(), apart.c_str(), limit.c_str())};
    }
    return {strformat("表层声速探头为%s米/秒，剖面在吃水%s米处为%s米/秒，相差%s米/秒，"
                      "超过%s米/秒：请检查探头或重新投放。",
                      probe.c_str(), draft.c_str(), cast.c_str(), apart.c_str(), limit.c_str()),
            strformat("The surface probe reads %s m/s, the cast %s m/s at the %s m draft: %s m/s "
                      "apart, more than %s m/s. Check the probe or take a new cast.",
                      probe.c_str(), cast.c_str(), draft.c_str(), apart.c_str(), limit.c_str())};
}

}  // namespace quorvane
