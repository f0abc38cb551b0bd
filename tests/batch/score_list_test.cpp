#include "batch/score_list.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>

#include "batch/csv_reader.h"
#include "batch/output_writer.h"
#include "batch/row_player.h"
#include "batch/text_encoding.h"

namespace varostel::batch {
namespace {

constexpr std::string_view kResultHeader =
    "出生日期,性别,年龄,学历得分,年龄得分,房产得分,生育得分,个人得分,养老得分,医疗得分,"
    "工伤得分,生育险得分,失业得分,社保得分,合计得分,评分结果,号码提示,错误";
// What the window shows when nothing has been entered.
constexpr std::string_view kUntouched = ",,,18,0,0,0,0,0,0,0,0,0,0,0,0,综合计算中...,,";
// The results of a row with an error: every one empty but the error.
constexpr std::string_view kFailed = ",,,,,,,,,,,,,,,,,,";

struct Scored {
  int status;
  std::string out;
  std::string errors;
};

Scored score(std::string_view csv, ListOptions options = {}) {
  options.year = 2026;
  std::ostringstream out, errors;
  const int status = score_list(csv, "list.csv", options, out, errors);
  return {status, out.str(), errors.str()};
}

// Lines joined with CRLF, the output's line end, after the byte-order mark.
std::string csv_lines(std::initializer_list<std::string_view> lines) {
  std::string text = "\xEF\xBB\xBF";
  for (std::string_view line : lines) text.append(line).append("\r\n");
  return text;
}

std::string with_results(std::string_view inputs) {
  return std::string(inputs) + (inputs.empty() ? "" : ",") + std::string(kResultHeader);
}

struct ListCase {
  const char* name;
  std::string_view input;
  std::string expected_out;
  std::string_view expected_errors;
  int expected_status;
};

// Names the row in the test's messages instead of dumping its bytes.
void PrintTo(const ListCase& row, std::ostream* out) { *out << row.name; }

class ScoreListTest : public testing::TestWithParam<ListCase> {};

TEST_P(ScoreListTest, WritesTheWindowsResultsAndReportsBadRows) {
  const ListCase& c = GetParam();
  const Scored run = score(c.input);
  EXPECT_EQ(run.out, c.expected_out);
  EXPECT_EQ(run.errors, c.expected_errors);
  EXPECT_EQ(run.status, c.expected_status);
}

const ListCase kListCases[] = {
    {"one_full_row_every_input_played",
     "选择学历,ID,房产状况,居住时长,生育状况,养老月数,医疗月数,工伤月数,生育险月数,失业月数,"
     "公司申办\n"
     "全日制本科,110101198501021234,居住证,1095,未育,120,120,120,120,120,是\n",
     csv_lines({with_results("选择学历,ID,房产状况,居住时长,生育状况,养老月数,医疗月数,工伤月数,"
                             "生育险月数,失业月数,公司申办"),
                "全日制本科,110101198501021234,居住证,1095,未育,120,120,120,120,120,是,"
                "1985年01月02日,男,41,90,0,3,0,3,30,10,10,10,10,70,163,积分通过，马上入户,,"}),
     "", kAllRowsScored},
    {"quoted_fields_with_commas_quotes_and_line_breaks_carried_and_requoted",
     "客户,选择学历,备注\r\n\"王,五\",全日制本科,\"说\"\"好\"\"\r\n第二行\"\r\n",
     csv_lines({with_results("客户,选择学历,备注"),
                "\"王,五\",全日制本科,\"说\"\"好\"\"\r\n第二行\",,,18,90,5,0,0,5,0,0,0,0,0,0,95,"
                "差一点，考证入户,,"}),
     "", kAllRowsScored},
    {"spaces_belong_to_the_field", "选择学历,养老月数\n全日制本科, 12\n",
     csv_lines({with_results("选择学历,养老月数"),
                std::string("全日制本科, 12") + std::string(kFailed) +
                    "\"column 养老月数: \"\" 12\"\" is not a number\""}),
     "list.csv:2: column 养老月数: \" 12\" is not a number\n", kSomeRowsFailed},
    {"byte_order_mark_of_the_input_dropped", "\xEF\xBB\xBF选择学历\n全日制本科\n",
     csv_lines({with_results("选择学历"),
                "全日制本科,,,18,90,5,0,0,5,0,0,0,0,0,0,95,差一点，考证入户,,"}),
     "", kAllRowsScored},
    {"gb18030_detected_when_not_utf8",
     "\xD1\xA1\xD4\xF1\xD1\xA7\xC0\xFA\x2C\xBF\xCD\xBB\xA7\x0A\xC8\xAB\xC8\xD5\xD6\xC6\xB1\xBE\xBF"
     "\xC6\x2C\xD5\xC5\xC8\xFD\x0A",
     csv_lines({with_results("选择学历,客户"),
                "全日制本科,张三,,,18,90,5,0,0,5,0,0,0,0,0,0,95,差一点，考证入户,,"}),
     "", kAllRowsScored},
    {"gb18030_byte_order_mark_dropped",
     "\x84\x31\x95\x33\xD1\xA1\xD4\xF1\xD1\xA7\xC0\xFA\x0A\xC8\xAB\xC8\xD5\xD6\xC6\xB1\xBE\xBF\xC6"
     "\x0A",
     csv_lines({with_results("选择学历"),
                "全日制本科,,,18,90,5,0,0,5,0,0,0,0,0,0,95,差一点，考证入户,,"}),
     "", kAllRowsScored},
    {"neither_utf8_nor_gb18030_is_unusable", "选择学历\n\x80\n", "",
     "list.csv: byte 14 is neither UTF-8 nor GB18030\n", kUnusable},
    {"lf_and_crlf_rows_mixed", "选择学历\r\n全日制本科\n非全日制本科\r\n",
     csv_lines({with_results("选择学历"),
                "全日制本科,,,18,90,5,0,0,5,0,0,0,0,0,0,95,差一点，考证入户,,",
                "非全日制本科,,,18,80,5,0,0,5,0,0,0,0,0,0,85,差一点，考证入户,,"}),
     "", kAllRowsScored},
    {"columns_in_any_order_played_in_the_windows_order",
     // Education after an over-age number in the file, still chosen first:
     // the age's -90 stands.
     "ID,客户,选择学历\n110101197001011234,甲,非全日制本科\n",
     csv_lines({with_results("ID,客户,选择学历"),
                "110101197001011234,甲,非全日制本科,超龄无法入户,男,56,80,-90,0,0,-90,0,0,0,0,0,0,"
                "-10,需要补充一点分数…,校验码应为 8，请核对号码,"}),
     "", kAllRowsScored},
    {"missing_columns_and_empty_cells_keep_the_start_values", "客户,公司申办\n乙,\n丙,否\n",
     csv_lines({with_results("客户,公司申办"), std::string("乙,") + std::string(kUntouched),
                std::string("丙,否") + std::string(kUntouched)}),
     "", kAllRowsScored},
    {"employer_ticked_by_1", "公司申办\n1\n",
     csv_lines({with_results("公司申办"), "1,,,18,0,0,0,0,0,0,0,0,0,0,10,10,差一点，考证入户,,"}),
     "", kAllRowsScored},
    {"short_rows_read_as_empty_cells", "选择学历,客户\n全日制本科\n",
     csv_lines({with_results("选择学历,客户"),
                "全日制本科,,,,18,90,5,0,0,5,0,0,0,0,0,0,95,差一点，考证入户,,"}),
     "", kAllRowsScored},
    {"a_row_longer_than_the_header_fails", "选择学历\n全日制本科,多余\n",
     csv_lines({with_results("选择学历"), std::string("全日制本科") + std::string(kFailed) +
                                              "\"has 2 cells, the header 1\""}),
     "list.csv:2: has 2 cells, the header 1\n", kSomeRowsFailed},
    {"empty_cells_past_the_header_ignored", "选择学历\n全日制本科,,\n",
     csv_lines({with_results("选择学历"),
                "全日制本科,,,18,90,5,0,0,5,0,0,0,0,0,0,95,差一点，考证入户,,"}),
     "", kAllRowsScored},
    {"result_named_input_columns_replaced_not_repeated",
     "合计得分,选择学历,错误\n999,全日制本科,x\n",
     csv_lines({with_results("选择学历"),
                "全日制本科,,,18,90,5,0,0,5,0,0,0,0,0,0,95,差一点，考证入户,,"}),
     "", kAllRowsScored},
    {"identity_number_under_its_long_heading", "身份证号码\n110101198501021234\n",
     csv_lines({with_results("身份证号码"),
                "110101198501021234,1985年01月02日,男,41,0,-4,0,0,-4,0,0,0,0,0,0,-4,"
                "需要补充一点分数…,,"}),
     "", kAllRowsScored},
    {"bad_list_items_each_reported_other_rows_scored",
     "选择学历,生育状况,房产状况\n博士,未育,无房产\n全日制本科,二胎,租房\n全日制本科,,\n",
     csv_lines(
         {with_results("选择学历,生育状况,房产状况"),
          std::string("博士,未育,无房产") + std::string(kFailed) +
              "\"column 选择学历: \"\"博士\"\" is not one of 高中或以下学历, 全日制大专或高技, "
              "全日制本科, 全日制本科有学位, 非全日制大专或高技, 非全日制本科\"",
          std::string("全日制本科,二胎,租房") + std::string(kFailed) +
              "\"column 房产状况: \"\"租房\"\" is not one of 无房产, 有房无按揭, 有房有按揭, "
              "居住证; "
              "column 生育状况: \"\"二胎\"\" is not one of 未育, 政策内生育, 政策外生育\"",
          "全日制本科,,,,,18,90,5,0,0,5,0,0,0,0,0,0,95,差一点，考证入户,,"}),
     "list.csv:2: column 选择学历: \"博士\" is not one of 高中或以下学历, 全日制大专或高技, "
     "全日制本科, 全日制本科有学位, 非全日制大专或高技, 非全日制本科\n"
     "list.csv:3: column 房产状况: \"租房\" is not one of 无房产, 有房无按揭, 有房有按揭, 居住证\n"
     "list.csv:3: column 生育状况: \"二胎\" is not one of 未育, 政策内生育, 政策外生育\n",
     kSomeRowsFailed},
    {"bad_numbers_fail_signs_and_fractions_played",
     "养老月数,医疗月数,失业月数\n12个月,1e2,\n-12,18.5,+24\n",
     csv_lines(
         {with_results("养老月数,医疗月数,失业月数"),
          std::string("12个月,1e2,") + std::string(kFailed) +
              "\"column 养老月数: \"\"12个月\"\" is not a number; column 医疗月数: \"\"1e2\"\" "
              "is not a number\"",
          "-12,18.5,+24,,,18,0,0,0,0,0,0,1,0,0,2,3,3,差一点，考证入户,,"}),
     "list.csv:2: column 养老月数: \"12个月\" is not a number\n"
     "list.csv:2: column 医疗月数: \"1e2\" is not a number\n",
     kSomeRowsFailed},
    {"residence_days_need_the_residence_permit",
     "房产状况,居住时长\n有房无按揭,0\n有房无按揭,365\n,00\n居住证,365\n",
     csv_lines({with_results("房产状况,居住时长"),
                "有房无按揭,0,,,18,0,0,30,0,30,0,0,0,0,0,0,30,"
                "差一点，考证入户,,",
                std::string("有房无按揭,365") + std::string(kFailed) +
                    "\"column 居住时长: \"\"365\"\" cannot be entered unless 房产状况 is 居住证\"",
                std::string(",00") + std::string(kUntouched),
                "居住证,365,,,18,0,0,1,0,1,0,0,0,0,0,0,1,差一点，考证入户,,"}),
     "list.csv:3: column 居住时长: \"365\" cannot be entered unless 房产状况 is 居住证\n",
     kSomeRowsFailed},
    {"employer_values_other_than_yes_or_no_fail", "公司申办\nY\n",
     csv_lines({with_results("公司申办"),
                std::string("Y") + std::string(kFailed) +
                    "\"column 公司申办: \"\"Y\"\" is not one of 是, 否, 1, 0\""}),
     "list.csv:2: column 公司申办: \"Y\" is not one of 是, 否, 1, 0\n", kSomeRowsFailed},
    {"exponent_form_number_played_as_it_stands_with_a_hint", "ID\n1.10101E+17\n",
     csv_lines({with_results("ID"),
                "1.10101E+17,号码有误,,18,0,0,0,0,0,0,0,0,0,0,0,0,综合计算中...,"
                "号码被表格软件改成了科学计数法，请把该列设为文本后重新输入,"}),
     "", kAllRowsScored},
    {"wrong_check_character_hinted", "ID\n110101198501021235\n",
     csv_lines({with_results("ID"),
                "110101198501021235,1985年01月02日,男,41,0,-4,0,0,-4,0,0,0,0,0,0,-4,"
                "需要补充一点分数…,校验码应为 4，请核对号码,"}),
     "", kAllRowsScored},
    {"empty_file_is_unusable", "", "", "list.csv: no header row: the file is empty\n", kUnusable},
    {"blank_lines_only_is_unusable", "\r\n\n", "", "list.csv: no header row: the file is empty\n",
     kUnusable},
    {"header_only_gives_the_header", "客户,选择学历\r\n",
     csv_lines({with_results("客户,选择学历")}), "", kAllRowsScored},
    {"header_without_any_input_column_is_unusable", "name,education\nx,y\n", "",
     "list.csv: the header row names none of the input columns 选择学历, ID (or 身份证号码), "
     "房产状况, 居住时长, 生育状况, 养老月数, 医疗月数, 工伤月数, 生育险月数, 失业月数, 公司申办\n",
     kUnusable},
    {"input_column_twice_is_unusable", "选择学历,选择学历\nx,y\n", "",
     "list.csv: column 选择学历 appears twice\n", kUnusable},
    {"both_identity_headings_is_unusable", "ID,身份证号码\n", "",
     "list.csv: columns ID and 身份证号码 both name the same input\n", kUnusable},
    {"quoted_field_never_closed_is_unusable", "选择学历\n\"全日制本科\n", "",
     "list.csv:2: a quoted field is never closed\n", kUnusable},
    {"stray_quote_is_unusable", "选择学历\n全日制\"本科\n", "",
     "list.csv:2: a quote is out of place (a field with quotes must be quoted whole, its quotes "
     "doubled)\n",
     kUnusable},
};

INSTANTIATE_TEST_SUITE_P(Lists, ScoreListTest, testing::ValuesIn(kListCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScoreListOptions, NoByteOrderMarkOnRequest) {
  ListOptions options;
  options.byte_order_mark = false;
  EXPECT_EQ(score("选择学历\n", options).out, with_results("选择学历") + "\r\n");
}

TEST(ScoreListOptions, EncodingOnRequestIsNotDetected) {
  ListOptions options;
  options.encoding = Encoding::Gb18030;
  // UTF-8 read as GB18030 is other characters: no heading is recognised.
  const Scored misread = score("选择学历\n", options);
  EXPECT_EQ(misread.status, kUnusable);
  EXPECT_TRUE(misread.errors.starts_with("list.csv: the header row names none")) << misread.errors;
  EXPECT_EQ(
      score("\xD1\xA1\xD4\xF1\xD1\xA7\xC0\xFA\n\xC8\xAB\xC8\xD5\xD6\xC6\xB1\xBE\xBF\xC6\n", options)
          .status,
      kAllRowsScored);
  options.encoding = Encoding::Utf8;
  const Scored refused = score("选择学历\n\xFF\n", options);
  EXPECT_EQ(refused.status, kUnusable);
  EXPECT_EQ(refused.errors, "list.csv: byte 14 is not UTF-8 (--encoding gb18030 reads GB18030)\n");
  EXPECT_EQ(refused.out, "");
}

TEST(ScoreListOptions, JsonIsOneArrayOfObjectsOfStrings) {
  ListOptions options;
  options.format = Format::Json;
  const Scored run = score("客户,选择学历,养老月数\n\"a\"\"b\",全日制本科,x\n", options);
  EXPECT_EQ(run.status, kSomeRowsFailed);
  EXPECT_EQ(
      run.out,
      "[\n  {\"客户\":\"a\\\"b\",\"选择学历\":\"全日制本科\",\"养老月数\":\"x\",\"出生日期\":\"\","
      "\"性别\":\"\",\"年龄\":\"\",\"学历得分\":\"\",\"年龄得分\":\"\",\"房产得分\":\"\","
      "\"生育得分\":\"\",\"个人得分\":\"\",\"养老得分\":\"\",\"医疗得分\":\"\",\"工伤得分\":\"\","
      "\"生育险得分\":\"\",\"失业得分\":\"\",\"社保得分\":\"\",\"合计得分\":\"\",\"评分结果\":\"\","
      "\"号码提示\":\"\",\"错误\":\"column 养老月数: \\\"x\\\" is not a number\"}\n]\n");
  EXPECT_EQ(score("选择学历\n", options).out, "[]\n");
  // Carried columns of one name would share one key: refused.
  const Scored twice = score("备注,备注,选择学历\n", options);
  EXPECT_EQ(twice.status, kUnusable);
  EXPECT_EQ(twice.errors, "list.csv: column 备注 appears twice, which JSON cannot hold\n");
  EXPECT_EQ(twice.out, "");
}

TEST(CsvField, QuotedOnlyWhenItMustBe) {
  struct Row {
    std::string_view field, written;
  };
  for (const Row& row : {Row{"", ""}, Row{"plain 文本", "plain 文本"}, Row{"a,b", "\"a,b\""},
                         Row{"say \"hi\"", "\"say \"\"hi\"\"\""}, Row{"a\nb", "\"a\nb\""},
                         Row{"a\rb", "\"a\rb\""}, Row{" -5", " -5"}}) {
    std::string out;
    append_csv_field(out, row.field);
    EXPECT_EQ(out, row.written) << row.field;
  }
}

TEST(ExponentForm, WhatASpreadsheetMakesOfALongNumber) {
  struct Row {
    std::string_view cell;
    bool exponent;
  };
  for (const Row& row : {Row{"1.10101E+17", true}, Row{"1.10101e17", true}, Row{"11E-3", true},
                         Row{"110101198501021234", false}, Row{"1.5", false}, Row{"E+17", false},
                         Row{"1.E+17", false}, Row{"1.1E+", false}, Row{"1.1E+17 ", false},
                         Row{"11010119850102123X", false}}) {
    EXPECT_EQ(is_exponent_form(row.cell), row.exponent) << row.cell;
  }
}

TEST(Utf8Check, FindsTheFirstMalformedByte) {
  struct Row {
    std::string_view bytes;
    std::optional<std::size_t> invalid;
  };
  for (const Row& row :
       {Row{"", {}}, Row{"abc 选择", {}}, Row{"\xF0\x9F\x98\x80", {}}, Row{"a\x80", 1},
        Row{"\xC0\xAF", 0}, Row{"\xE0\x80\xAF", 0}, Row{"\xED\xA0\x80", 0},
        Row{"\xF4\x90\x80\x80", 0}, Row{"ab\xE9\x80", 2}, Row{"\xFF", 0}}) {
    EXPECT_EQ(first_invalid_utf8(row.bytes), row.invalid);
  }
}

}  // namespace
}  // namespace varostel::batch
