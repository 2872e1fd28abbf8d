#include "kwdsamplenames.h"

namespace {
QStringList words(const char* spaced)
{
    return QString::fromUtf8(spaced).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}
} // namespace

const QList<kwdSampleNames::LargeCity>& kwdSampleNames::largeCities()
{
    static const QList<LargeCity> cities = {
        {"bj", "北京", "北京", 39.9042, 116.4074, 62000, "010",
         "东城区 西城区 朝阳区 海淀区 丰台区 石景山区 通州区 昌平区 大兴区 顺义区"},
        {"sh", "上海", "上海", 31.2304, 121.4737, 65000, "021",
         "黄浦区 静安区 徐汇区 长宁区 普陀区 虹口区 杨浦区 浦东新区 闵行区 宝山区"},
        {"gz", "广州", "广东", 23.1291, 113.2644, 42000, "020",
         "越秀区 天河区 荔湾区 海珠区 白云区 黄埔区 番禺区 花都区"},
        {"sz", "深圳", "广东", 22.5431, 114.0579, 70000, "0755",
         "福田区 罗湖区 南山区 盐田区 宝安区 龙岗区 龙华区"},
        {"tj", "天津", "天津", 39.3434, 117.3616, 22000, "022",
         "和平区 河西区 南开区 河东区 河北区 红桥区 东丽区 滨海新区"},
        {"cq", "重庆", "重庆", 29.5630, 106.5516, 14000, "023",
         "渝中区 江北区 南岸区 沙坪坝区 九龙坡区 大渡口区 渝北区 巴南区"},
        {"cd", "成都", "四川", 30.5728, 104.0668, 16000, "028",
         "锦江区 青羊区 金牛区 武侯区 成华区 高新区 双流区 郫都区"},
        {"wh", "武汉", "湖北", 30.5928, 114.3055, 18000, "027",
         "江岸区 江汉区 硚口区 武昌区 汉阳区 青山区 洪山区 东湖高新区"},
        {"hz", "杭州", "浙江", 30.2741, 120.1551, 38000, "0571",
         "上城区 拱墅区 西湖区 滨江区 萧山区 余杭区 临平区"},
        {"xa", "西安", "陕西", 34.3416, 108.9398, 15000, "029",
         "新城区 碑林区 莲湖区 雁塔区 未央区 灞桥区 长安区"},
    };
    return cities;
}

const kwdSampleNames::LargeCity* kwdSampleNames::largeCity(const QString& code)
{
    for (const LargeCity& c : largeCities()) {
        if (code == QLatin1String(c.code))
            return &c;
    }
    return nullptr;
}

QStringList kwdSampleNames::genericDistricts()
{
    return words("城关区 新城区 老城区 开发区 高新区 经济技术开发区");
}

QStringList kwdSampleNames::compoundPrefixes()
{
    return words("阳光 金色 碧水 翠湖 紫荆 锦绣 丽景 星河 东方 世纪 绿城 远洋 万科 保利 中海 "
                 "金地 龙湖 融创 富力 华润 恒大 招商 金隅 首开 天通 望京 蓝色 红树 银杏 枫林 "
                 "玉兰 海棠 水岸 香山 御景 国风 雅居 和平 幸福 百合");
}

QStringList kwdSampleNames::compoundSuffixes()
{
    return words("花园 家园 小区 公寓 嘉园 华庭 名苑 新城 国际 雅苑 上城 壹号院 府 湾 苑 城 "
                 "公馆 佳园 丽都 山庄");
}

QStringList kwdSampleNames::streetRoots()
{
    return words("建设 人民 解放 中山 长安 和平 友谊 文化 新华 学院 科技 光明 复兴 朝阳 青年 "
                 "胜利 工业 滨河 北苑 东风 花园 迎宾 体育 金融 育才 安康 春晓 振兴");
}

QStringList kwdSampleNames::streetSuffixes()
{
    return words("路 大街 街 大道 北路 南路 东路 西路 中路");
}

QStringList kwdSampleNames::agencyBrands()
{
    return words("链家地产 我爱我家 中原地产 21世纪不动产 麦田房产 满堂红地产 太平洋房屋 合富置业 美联物业 "
                 "德佑地产 顺驰置业 信义房屋");
}

QStringList kwdSampleNames::surnames()
{
    return words("王 李 张 刘 陈 杨 赵 黄 周 吴 徐 孙 马 朱 胡 郭 何 林 高 罗");
}

QStringList kwdSampleNames::saleFeatures()
{
    return words("南北通透 精装修 满五唯一 近地铁 采光好 拎包入住 学区房 随时看房 业主急售 视野开阔 "
                 "带车位 中间楼层 户型方正 低总价 双阳台");
}

QStringList kwdSampleNames::leaseFeatures()
{
    return words("家电齐全 拎包入住 押一付三 随时看房 近地铁 有阳台 独立卫生间 精装修 南北通透 可短租");
}

QStringList kwdSampleNames::orientations()
{
    return words("南 南北 东 西 北 东南 东北 西南 西北 东西");
}

QStringList kwdSampleNames::decorations()
{
    return words("精装修 简装修 豪华装修 毛坯 中等装修");
}

QStringList kwdSampleNames::developers()
{
    return words("万科集团 保利地产 中海地产 华润置地 金地集团 龙湖地产 招商蛇口 绿地集团");
}

QStringList kwdSampleNames::relatedGroupTypes()
{
    return words("周边小区 同价位小区 同开发商楼盘");
}
