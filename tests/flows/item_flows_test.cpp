// Recognition by the seven item flows and the chain, without a suite installed: the rows that
// only show a message, the tables against the texts of the menu, and rows that no flow knows.
#include "flows/item_flows.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "flows/flow_rows.h"
#include "model/message_box.h"
#include "project_dir.h"
#include "support/box_capture.h"

namespace {

using ItemFlow = int (*)(std::string rowText);

struct NamedFlow {
    const char* name;
    ItemFlow flow;
};

// clang-format off
const NamedFlow kChain[] = {
    {"steel",             SteelFlow},
    {"masonry",           MasonryFlow},
    {"appraisal",         AppraisalFlow},
    {"structure",         StructureFlow},
    {"special structure", SpecialStructureFlow},
    {"architecture",      ArchitectureFlow},
    {"services",          ServicesFlow},
};

constexpr char kDevNotice[] = "新规范版本VEGA正在研发中,敬请期待!\n  给您工作带来了不便,请您谅解。";
constexpr char kRedirect[]  = "请您运行VEGA、LYRA或ORION模块";

struct MessageRow {
    const char* rowText;  // as the catalogue stores it
    ItemFlow flow;
    const char* message;
};

const MessageRow kMessageRows[] = {
    {"框架|VEGA、LYRA或ORION计算",                     SteelFlow,     kRedirect},
    {"底框-抗震墙结构三维分析|生成VEGA数据",           MasonryFlow,   kDevNotice},
    {"底框-抗震墙结构三维分析|VEGA内力及配筋计算",     MasonryFlow,   kDevNotice},
    {"底框-抗震墙结构三维分析|VEGA计算结果显示",       MasonryFlow,   kDevNotice},
    {"VEGA|接CORE生成VEGA数据 ",                       StructureFlow, kDevNotice},
    {"VEGA|结构内力，配筋计算 ",                       StructureFlow, kDevNotice},
    {"VEGA|CORE次梁内力与配筋计算 ",                   StructureFlow, kDevNotice},
    {"VEGA|分析结果图形和文本显示 ",                   StructureFlow, kDevNotice},
    {"VEGA|框支剪力墙有限元分析 ",                     StructureFlow, kDevNotice},
    {"VEGA|新版程序说明与常见问题 ",                   StructureFlow, kDevNotice},
    {"VEGA-8|接CORE生成VEGA数据 ",                     StructureFlow, kDevNotice},
    {"VEGA-8|结构内力，配筋计算 ",                     StructureFlow, kDevNotice},
    {"VEGA-8|CORE次梁内力与配筋计算 ",                 StructureFlow, kDevNotice},
    {"VEGA-8|分析结果图形和文本显示 ",                 StructureFlow, kDevNotice},
    {"VEGA-8|新版程序说明与常见问题 ",                 StructureFlow, kDevNotice},
};

// Every recognised text, per flow in comparison order.
const std::vector<std::string> kSteelTexts = {
    "框架|三维模型与荷载输入", "框架|VEGA、LYRA或ORION计算", "框架|结构三维线框透视图", "框架|形成FLAT文件",
};
const std::vector<std::string> kMasonryTexts = {
    "底框-抗震墙结构三维分析|生成VEGA数据",   "底框-抗震墙结构三维分析|VEGA内力及配筋计算",
    "底框-抗震墙结构三维分析|VEGA计算结果显示", "底框及连续梁结构二维分析|生成FLAT数据",
};
const std::vector<std::string> kStructureTexts = {
    "CORECAD|建筑模型与荷载输入",  "CORECAD|形成FLAT文件",         "CORECAD|结构三维线框透视图",
    "VEGA|接CORE生成VEGA数据",     "VEGA|结构内力，配筋计算",       "VEGA|CORE次梁内力与配筋计算",
    "VEGA|分析结果图形和文本显示", "VEGA|框支剪力墙有限元分析",     "VEGA|新版程序说明与常见问题",
    "VEGA-8|接CORE生成VEGA数据",   "VEGA-8|结构内力，配筋计算",     "VEGA-8|CORE次梁内力与配筋计算",
    "VEGA-8|分析结果图形和文本显示", "VEGA-8|新版程序说明与常见问题",
};
const std::vector<std::string> kSpecialStructureTexts = {
    "预应力砼结构三维设计 TEND|形成二维框架连续梁数据文件", "箱形基础设计 TUB|墙体配筋选择",
};
const std::vector<std::string> kArchitectureTexts = {
    "三维建筑设计 BLDG|建筑模型输入",   "三维建筑设计 BLDG|三维CAD",
    "三维建筑设计 BLDG|建筑平面图",     "三维建筑设计 BLDG|建筑立面图",
    "三维建筑设计 BLDG|建筑剖面图",     "三维建筑设计 BLDG|建筑大样图",
    "三维建筑设计 BLDG|房间面积统计及门窗表", "三维建筑设计 BLDG|三维线框透视图",
    "三维建筑设计 BLDG|三维模型渲染",   "三维建筑设计 BLDG|建筑模型动画",
    "三维建筑设计 BLDG|总平面图",       "三维建筑设计 BLDG|日照分析",
    "三维建筑设计 BLDG|与结构CAD(CORECAD)接口", "三维建筑设计 BLDG|图形编辑、打印及转换",
};

// Near misses of recognised texts, and texts no flow knows.
const char* const kUnknownRows[] = {
    "",
    " \t ",
    "|",
    "样例分析 ZETA|内力计算",
    "vega|结构内力，配筋计算",
    "VEGA |结构内力，配筋计算",
    "VEGA|结构内力,配筋计算",
    "VEGA-8|框支剪力墙有限元分析",
    "VEGA-8 |接CORE生成VEGA数据",
    "框架|形成flat文件",
    "框架|形成FLAT",
    "框架|三维模型与荷载输入x",
    "框架|VEGA、LYRA或ORION计算|RunExeFile|IRON|Modelin.exe",
    "CORECAD|建筑模型与荷载输入\t\t|",
    "CORECAD 结构三维线框透视图",
    "三维建筑设计BLDG|建筑模型输入",
    "三维建筑设计  BLDG|总平面图",
    "三维建筑设计 bldg|建筑大样图",
    "三维建筑设计 BLDG|与结构CAD（CORECAD）接口",
    "箱形基础设计 TUB|墙体配筋选择选择",
    "预应力砼结构三维设计 TEND|",
    "底框及连续梁结构二维分析|生成flat数据",
};
// clang-format on

std::vector<std::string> TextsOf(std::span<const flows::FlowRow> rows) {
    std::vector<std::string> texts;
    for (const flows::FlowRow& row : rows) texts.push_back(flows::RowText(row));
    return texts;
}

TEST(FlowTables, HoldTheRecognisedTextsInComparisonOrder) {
    EXPECT_EQ(TextsOf(flows::SteelFlowRows()), kSteelTexts);
    EXPECT_EQ(TextsOf(flows::MasonryFlowRows()), kMasonryTexts);
    EXPECT_EQ(TextsOf(flows::StructureFlowRows()), kStructureTexts);
    EXPECT_EQ(TextsOf(flows::SpecialStructureFlowRows()), kSpecialStructureTexts);
    EXPECT_EQ(TextsOf(flows::ArchitectureFlowRows()), kArchitectureTexts);
}

TEST(FlowTables, EveryTextBelongsToOneFlowOnly) {
    std::set<std::string> seen;
    std::size_t total = 0;
    for (const auto& texts : {kSteelTexts, kMasonryTexts, kStructureTexts, kSpecialStructureTexts,
                              kArchitectureTexts}) {
        seen.insert(texts.begin(), texts.end());
        total += texts.size();
    }
    EXPECT_EQ(total, 38u);
    EXPECT_EQ(seen.size(), total);
}

TEST(ItemFlows, MessageRowsShowTheirTextOnceAndOnlyTheirFlowTakesThem) {
    const std::string caption = MessageCaption();
    for (const MessageRow& row : kMessageRows) {
        SCOPED_TRACE(row.rowText);
        for (const NamedFlow& named : kChain) {
            BoxCapture boxes;
            const int result = named.flow(row.rowText);
            const std::vector<CapturedBox> shown = boxes.Take();
            if (named.flow != row.flow) {
                EXPECT_EQ(result, 0) << named.name;
                EXPECT_TRUE(shown.empty()) << named.name;
                continue;
            }
            EXPECT_EQ(result, 1) << named.name;
            ASSERT_EQ(shown.size(), 1u) << named.name;
            EXPECT_EQ(shown[0].text, row.message);
            EXPECT_EQ(shown[0].caption, caption);
        }
    }
}

TEST(ItemFlows, RecogniseTrailingAndLeadingWhiteSpace) {
    for (const char* text :
         {"VEGA|结构内力，配筋计算", "VEGA|结构内力，配筋计算\t\t", "  VEGA|结构内力，配筋计算",
          "\tVEGA|结构内力，配筋计算 \r\n", "框架|VEGA、LYRA或ORION计算  "}) {
        BoxCapture boxes;
        EXPECT_EQ(RunItemFlows(text), 1) << text;
        EXPECT_EQ(boxes.Take().size(), 1u) << text;
    }
}

TEST(ItemFlows, UnknownRowsAreTakenByNoFlowAndChangeNothing) {
    ProjectDir project;
    const std::vector<std::string> workFiles = {"Autorunfile.tmp", "CFG1.TMP",  "CFG2.BLK",
                                                "REDRAW.tmp",      "XT1.tmp",   "XT2.BLK",
                                                "$wat1.tub",       "return.tmp"};
    for (const std::string& name : workFiles) project.Write(name, "23");
    const std::vector<std::string> before = project.Entries();

    for (const char* text : kUnknownRows) {
        SCOPED_TRACE(text);
        BoxCapture boxes;
        for (const NamedFlow& named : kChain) EXPECT_EQ(named.flow(text), 0) << named.name;
        EXPECT_EQ(RunItemFlows(text), 0);
        EXPECT_TRUE(boxes.Take().empty());
    }
    EXPECT_EQ(project.Entries(), before);
}

}  // namespace
