// Named handles for the fields the rules read and write, so every unit uses
// the same name for the same field.
#pragma once

#include "model/field_table.h"

namespace varostel {

inline constexpr FieldId kIdentityNumber = field_id("ID");
inline constexpr FieldId kReadButton = field_id("身份证解读");
inline constexpr FieldId kBirthDate = field_id("出生日期");
inline constexpr FieldId kSex = field_id("性别");
inline constexpr FieldId kAge = field_id("年龄");
inline constexpr FieldId kEducation = field_id("选择学历");
inline constexpr FieldId kHousing = field_id("房产状况");
inline constexpr FieldId kResidenceDays = field_id("居住时长");
inline constexpr FieldId kChildbirth = field_id("生育状况");
inline constexpr FieldId kAgeScore = field_id("年龄得分");
inline constexpr FieldId kHousingScore = field_id("房产得分");
inline constexpr FieldId kChildbirthScore = field_id("生育得分");
inline constexpr FieldId kPersonalScore = field_id("个人得分");
inline constexpr FieldId kEducationScore = field_id("学历得分");
inline constexpr FieldId kUniformYears = field_id("统一年数");
inline constexpr FieldId kUniformMonths = field_id("统一月数");
inline constexpr FieldId kFillByYears = field_id("统一年");
inline constexpr FieldId kFillByMonths = field_id("统一月");
inline constexpr FieldId kEmployerApplies = field_id("公司申办");
inline constexpr FieldId kInsuranceScore = field_id("社保得分");
inline constexpr FieldId kTotal = field_id("合计得分");
inline constexpr FieldId kVerdict = field_id("评分结果");
inline constexpr FieldId kResetButton = field_id("重置");

}  // namespace varostel
