#include "batch/score_list.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>

#include "batch/output_writer.h"
#include "batch/row_player.h"
#include "batch/text_encoding.h"

namespace varostel::batch {
namespace {

// Each row's results, the window's own: nothing entered, a bachelor's degree alone, an error.
const std::string kUntouched = ",,,18,0,0,0,0,0,0,0,0,0,0,0,0,综合计算中...,,";
const std::string kBachelor = ",,,18,90,5,0,0,5,0,0,0,0,0,0,95,差一点，考证入户,,";
const std::string kFailed = ",,,,,,,,,,,,,,,,,,";

struct Scored {
  int status;
  std::string out, errors;
};

Scored score(std::string_view csv, ListOptions options = {}) {
  options.year = 2026;
  std::ostringstream out, errors;
  const int status = score_list(csv, "list.csv", options, out, errors);
  return {status, out.str(), errors.str()};
}

std::string with_results(std::string_view inputs) {
  return std::string(inputs) + (inputs.empty() ? "" : ",") +
         "出生日期,性别,年龄,学历得分,年龄得分,房产得分,生育得分,个人得分,养老得分,医疗得分,"
         "工伤得分,生育险得分,失业得分,社保得分,合计得分,评分结果,号码提示,错误";
}

// The output: byte-order mark, the input header with the results', then rows, CRLF-ended.
std::string csv(std::string_view header, std::initializer_list<std::string> rows) {
  std::string text = "\xEF\xBB\xBF" + with_results(header) + "\r\n";
  for (const std::string& row : rows) text.append(row).append("\r\n");
  return text;
}

struct ListCase {
  const char* name;
  std::string input, expected_out;
  std::string_view expected_errors = {};  // none: every row scored
};

// Names the row in the test's messages instead of dumping its bytes.
void PrintTo(const ListCase& row, std::ostream* out) { *out << row.name; }

class ScoreListTest : public testing::TestWithParam<ListCase> {};

TEST_P(ScoreListTest, WritesTheWindowsResultsAndReportsBadRows) {
  const ListCase& c = GetParam();
  const Scored run = score(c.input);
  EXPECT_EQ(run.out, c.expected_out);
  EXPECT_EQ(run.errors, c.expected_errors);
  EXPECT_EQ(run.status, c.expected_errors.empty() ? kAllRowsScored : kSomeRowsFailed);
}

// 选择学历 and 全日制本科 in GB18030.
const std::string kGbEducation = "\xD1\xA1\xD4\xF1\xD1\xA7\xC0\xFA";
const std::string kGbBachelor = "\xC8\xAB\xC8\xD5\xD6\xC6\xB1\xBE\xBF\xC6";
const ListCase kListCases[] = {
    {"byte_order_mark_dropped_quoted_fields_carried_and_requoted_short_rows_read_as_empty",
     "\xEF\xBB\xBF客户,选择学历,备注\r\n\"王,五\",全日制本科,\"说\"\"好\"\"\r\n第二行\"\r\n乙\r\n",
     csv("客户,选择学历,备注",
         {"\"王,五\",全日制本科,\"说\"\"好\"\"\r\n第二行\"" + kBachelor, "乙,," + kUntouched})},
    {"gb18030_detected_when_not_utf8",
     kGbEducation + ",\xBF\xCD\xBB\xA7\n" + kGbBachelor + ",\xD5\xC5\xC8\xFD\n",
     csv("选择学历,客户", {"全日制本科,张三" + kBachelor})},
    {"gb18030_byte_order_mark_dropped",
     std::string("\x84\x31\x95\x33") + kGbEducation + "\n" + kGbBachelor + "\n",
     csv("选择学历", {"全日制本科" + kBachelor})},
    {"lf_or_crlf_rows_empty_cells_past_the_header_ignored_more_cells_fail",
     "选择学历\r\n全日制本科\n非全日制本科\r\n全日制本科,,\n全日制本科,多余\n",
     csv("选择学历",
         {"全日制本科" + kBachelor,
          "非全日制本科,,,18,80,5,0,0,5,0,0,0,0,0,0,85,差一点，考证入户,,",
          "全日制本科" + kBachelor, "全日制本科" + kFailed + "\"has 2 cells, the header 1\""}),
     "list.csv:5: has 2 cells, the header 1\n"},
    {"missing_columns_and_empty_cells_keep_the_start_values_result_named_columns_replaced",
     "合计得分,客户,公司申办,错误\n999,乙,,x\n,丙,否,\n",
     csv("客户,公司申办", {"乙," + kUntouched, "丙,否" + kUntouched})},
    {"identity_number_under_its_long_heading_wrong_check_character_hinted",
     "身份证号码\n110101198501021234\n110101198501021235\n",
     csv("身份证号码",
         {"110101198501021234,1985年01月02日,男,41,0,-4,0,0,-4,0,0,0,0,0,0,-4,需要补充一点分数…,,",
          "110101198501021235,1985年01月02日,男,41,0,-4,0,0,-4,0,0,0,0,0,0,-4,需要补充一点分数…,"
          "校验码应为 4，请核对号码,"})},
    {"bad_list_items_each_reported_other_rows_scored",
     "选择学历,生育状况,房产状况\n全日制本科,二胎,租房\n全日制本科,,\n",
     csv("选择学历,生育状况,房产状况",
         {"全日制本科,二胎,租房" + kFailed +
              "\"column 房产状况: \"\"租房\"\" is not one of 无房产, 有房无按揭, 有房有按揭, "
              "居住证; column 生育状况: \"\"二胎\"\" is not one of 未育, 政策内生育, 政策外生育\"",
          "全日制本科,," + kBachelor}),
     "list.csv:2: column 房产状况: \"租房\" is not one of 无房产, 有房无按揭, 有房有按揭, 居住证\n"
     "list.csv:2: column 生育状况: \"二胎\" is not one of 未育, 政策内生育, 政策外生育\n"},
    {"bad_numbers_and_spaces_fail_signs_and_fractions_played",
     "养老月数,医疗月数,失业月数\n12个月,1e2, 12\n-12,18.5,+24\n",
     csv("养老月数,医疗月数,失业月数",
         {"12个月,1e2, 12" + kFailed +
              "\"column 养老月数: \"\"12个月\"\" is not a number; column 医疗月数: \"\"1e2\"\" "
              "is not a number; column 失业月数: \"\" 12\"\" is not a number\"",
          "-12,18.5,+24,,,18,0,0,0,0,0,0,1,0,0,2,3,3,差一点，考证入户,,"}),
     "list.csv:2: column 养老月数: \"12个月\" is not a number\n"
     "list.csv:2: column 医疗月数: \"1e2\" is not a number\n"
     "list.csv:2: column 失业月数: \" 12\" is not a number\n"},
    {"residence_days_need_the_residence_permit_employer_only_yes_no_1_0",
     "房产状况,居住时长,公司申办\n有房无按揭,365,\n,00,\n居住证,365,\n,,Y\n",
     csv("房产状况,居住时长,公司申办",
         {"有房无按揭,365," + kFailed +
              "\"column 居住时长: \"\"365\"\" cannot be entered unless 房产状况 is 居住证\"",
          ",00," + kUntouched, "居住证,365,,,,18,0,0,1,0,1,0,0,0,0,0,0,1,差一点，考证入户,,",
          ",,Y" + kFailed + "\"column 公司申办: \"\"Y\"\" is not one of 是, 否, 1, 0\""}),
     "list.csv:2: column 居住时长: \"365\" cannot be entered unless 房产状况 is 居住证\n"
     "list.csv:5: column 公司申办: \"Y\" is not one of 是, 否, 1, 0\n"},
};

INSTANTIATE_TEST_SUITE_P(Lists, ScoreListTest, testing::ValuesIn(kListCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScoreList, UnusableListsAreRefusedWholeWritingNothing) {
  const std::string no_input_column =
      "list.csv: the header row names none of the input columns 选择学历, ID (or 身份证号码), "
      "房产状况, 居住时长, 生育状况, 养老月数, 医疗月数, 工伤月数, 生育险月数, 失业月数, "
      "公司申办\n";
  const struct {
    std::string_view input, error;
    Encoding encoding = Encoding::Detect;
    Format format = Format::Csv;
  } rows[] = {
      {"选择学历\n\x80\n", "list.csv: byte 14 is neither UTF-8 nor GB18030\n"},
      {"\r\n\n", "list.csv: no header row: the file is empty\n"},
      {"name,education\nx,y\n", no_input_column},
      {"选择学历\n", no_input_column, Encoding::Gb18030},  // UTF-8 read as GB18030 is other text
      {"选择学历\n\xFF\n", "list.csv: byte 14 is not UTF-8 (--encoding gb18030 reads GB18030)\n",
       Encoding::Utf8},
      {"选择学历,选择学历\nx,y\n", "list.csv: column 选择学历 appears twice\n"},
      {"ID,身份证号码\n", "list.csv: columns ID and 身份证号码 both name the same input\n"},
      {"备注,备注,选择学历\n", "list.csv: column 备注 appears twice, which JSON cannot hold\n",
       Encoding::Detect, Format::Json},  // one name would be one key twice
      {"选择学历\n\"全日制本科\n", "list.csv:2: a quoted field is never closed\n"},
      {"选择学历\n全日制\"本科\n",
       "list.csv:2: a quote is out of place (a field with quotes must be quoted whole, its "
       "quotes doubled)\n"},
  };
  ListOptions options;
  for (const auto& row : rows) {
    options.encoding = row.encoding;
    options.format = row.format;
    const Scored run = score(row.input, options);
    EXPECT_EQ(run.errors, row.error);
    EXPECT_EQ(run.out, "") << row.error;
    EXPECT_EQ(run.status, kUnusable) << row.error;
  }
  options.encoding = Encoding::Gb18030;  // and the format is CSV again
  EXPECT_EQ(score(kGbEducation + "\n" + kGbBachelor + "\n", options).status, kAllRowsScored);
}

TEST(ScoreList, JsonIsOneArrayOfObjectsOfStrings) {
  ListOptions json;
  json.format = Format::Json;
  const Scored run = score("客户,选择学历,养老月数\n\"a\"\"b\",全日制本科,x\n", json);
  EXPECT_EQ(run.status, kSomeRowsFailed);
  std::string empty_results;  // every result but the error, in the header's order
  std::istringstream names(with_results(""));
  for (std::string name; std::getline(names, name, ',');)
    if (name != "错误") empty_results += ",\"" + name + "\":\"\"";
  EXPECT_EQ(run.out, "[\n  {\"客户\":\"a\\\"b\",\"选择学历\":\"全日制本科\",\"养老月数\":\"x\"" +
                         empty_results +
                         ",\"错误\":\"column 养老月数: \\\"x\\\" is not a number\"}\n]\n");
  EXPECT_EQ(score("选择学历\n", json).out, "[]\n");
}

TEST(BatchHelpers, CsvQuotingExponentFormAndUtf8Check) {
  using Quoted = std::pair<std::string_view, std::string_view>;
  for (auto [field, written] :
       {Quoted{"", ""}, Quoted{"plain 文本", "plain 文本"}, Quoted{"a,b", "\"a,b\""},
        Quoted{"say \"hi\"", "\"say \"\"hi\"\"\""}, Quoted{"a\nb", "\"a\nb\""},
        Quoted{"a\rb", "\"a\rb\""}, Quoted{" -5", " -5"}}) {
    std::string out;
    append_csv_field(out, field);
    EXPECT_EQ(out, written) << field;
  }
  // What a spreadsheet makes of a long number, and near misses.
  using Exponent = std::pair<std::string_view, bool>;
  for (auto [cell, exponent] :
       {Exponent{"1.10101E+17", true}, Exponent{"1.10101e17", true}, Exponent{"11E-3", true},
        Exponent{"110101198501021234", false}, Exponent{"1.5", false}, Exponent{"E+17", false},
        Exponent{"1.E+17", false}, Exponent{"1.1E+", false}, Exponent{"1.1E+17 ", false},
        Exponent{"11010119850102123X", false}})
    EXPECT_EQ(is_exponent_form(cell), exponent) << cell;
  using Utf8 = std::pair<std::string_view, std::optional<std::size_t>>;
  for (auto [bytes, invalid] :
       {Utf8{"", {}}, Utf8{"abc 选择", {}}, Utf8{"\xF0\x9F\x98\x80", {}}, Utf8{"a\x80", 1},
        Utf8{"\xC0\xAF", 0}, Utf8{"\xE0\x80\xAF", 0}, Utf8{"\xED\xA0\x80", 0},
        Utf8{"\xF4\x90\x80\x80", 0}, Utf8{"ab\xE9\x80", 2}, Utf8{"\xFF", 0}})
    EXPECT_EQ(first_invalid_utf8(bytes), invalid) << bytes;
}

}  // namespace
}  // namespace varostel::batch
