#!/usr/bin/env python3
"""Writes data/citylist.xml: mainland China's provincial-level divisions and their prefecture-level
cities, each with a short lower-case city code (the first label of the city's host names).

A city's code is the initials of its pinyin syllables. When several cities share those initials the
best-known one keeps them (PREFERRED, then document order) and the others take their full pinyin; when
even that is shared, the province's initials are appended. Run it again after editing the table:

    python3 tools/citylist/makecitylist.py > data/citylist.xml
"""

import sys
from xml.sax.saxutils import quoteattr

# (province, province pinyin, [(city, pinyin syllables), ...]) in the usual official order.
PROVINCES = [
    ("北京", "bei jing", [("北京", "bei jing")]),
    ("天津", "tian jin", [("天津", "tian jin")]),
    ("河北", "he bei", [
        ("石家庄", "shi jia zhuang"), ("唐山", "tang shan"), ("秦皇岛", "qin huang dao"),
        ("邯郸", "han dan"), ("邢台", "xing tai"), ("保定", "bao ding"), ("张家口", "zhang jia kou"),
        ("承德", "cheng de"), ("沧州", "cang zhou"), ("廊坊", "lang fang"), ("衡水", "heng shui")]),
    ("山西", "shan xi", [
        ("太原", "tai yuan"), ("大同", "da tong"), ("阳泉", "yang quan"), ("长治", "chang zhi"),
        ("晋城", "jin cheng"), ("朔州", "shuo zhou"), ("晋中", "jin zhong"), ("运城", "yun cheng"),
        ("忻州", "xin zhou"), ("临汾", "lin fen"), ("吕梁", "lv liang")]),
    ("内蒙古", "nei meng gu", [
        ("呼和浩特", "hu he hao te"), ("包头", "bao tou"), ("乌海", "wu hai"), ("赤峰", "chi feng"),
        ("通辽", "tong liao"), ("鄂尔多斯", "e er duo si"), ("呼伦贝尔", "hu lun bei er"),
        ("巴彦淖尔", "ba yan nao er"), ("乌兰察布", "wu lan cha bu"), ("兴安盟", "xing an meng"),
        ("锡林郭勒盟", "xi lin guo le meng"), ("阿拉善盟", "a la shan meng")]),
    ("辽宁", "liao ning", [
        ("沈阳", "shen yang"), ("大连", "da lian"), ("鞍山", "an shan"), ("抚顺", "fu shun"),
        ("本溪", "ben xi"), ("丹东", "dan dong"), ("锦州", "jin zhou"), ("营口", "ying kou"),
        ("阜新", "fu xin"), ("辽阳", "liao yang"), ("盘锦", "pan jin"), ("铁岭", "tie ling"),
        ("朝阳", "chao yang"), ("葫芦岛", "hu lu dao")]),
    ("吉林", "ji lin", [
        ("长春", "chang chun"), ("吉林", "ji lin"), ("四平", "si ping"), ("辽源", "liao yuan"),
        ("通化", "tong hua"), ("白山", "bai shan"), ("松原", "song yuan"), ("白城", "bai cheng"),
        ("延边", "yan bian")]),
    ("黑龙江", "hei long jiang", [
        ("哈尔滨", "ha er bin"), ("齐齐哈尔", "qi qi ha er"), ("鸡西", "ji xi"), ("鹤岗", "he gang"),
        ("双鸭山", "shuang ya shan"), ("大庆", "da qing"), ("伊春", "yi chun"), ("佳木斯", "jia mu si"),
        ("七台河", "qi tai he"), ("牡丹江", "mu dan jiang"), ("黑河", "hei he"), ("绥化", "sui hua"),
        ("大兴安岭", "da xing an ling")]),
    ("上海", "shang hai", [("上海", "shang hai")]),
    ("江苏", "jiang su", [
        ("南京", "nan jing"), ("无锡", "wu xi"), ("徐州", "xu zhou"), ("常州", "chang zhou"),
        ("苏州", "su zhou"), ("南通", "nan tong"), ("连云港", "lian yun gang"), ("淮安", "huai an"),
        ("盐城", "yan cheng"), ("扬州", "yang zhou"), ("镇江", "zhen jiang"), ("泰州", "tai zhou"),
        ("宿迁", "su qian")]),
    ("浙江", "zhe jiang", [
        ("杭州", "hang zhou"), ("宁波", "ning bo"), ("温州", "wen zhou"), ("嘉兴", "jia xing"),
        ("湖州", "hu zhou"), ("绍兴", "shao xing"), ("金华", "jin hua"), ("衢州", "qu zhou"),
        ("舟山", "zhou shan"), ("台州", "tai zhou"), ("丽水", "li shui")]),
    ("安徽", "an hui", [
        ("合肥", "he fei"), ("芜湖", "wu hu"), ("蚌埠", "beng bu"), ("淮南", "huai nan"),
        ("马鞍山", "ma an shan"), ("淮北", "huai bei"), ("铜陵", "tong ling"), ("安庆", "an qing"),
        ("黄山", "huang shan"), ("滁州", "chu zhou"), ("阜阳", "fu yang"), ("宿州", "su zhou"),
        ("六安", "lu an"), ("亳州", "bo zhou"), ("池州", "chi zhou"), ("宣城", "xuan cheng")]),
    ("福建", "fu jian", [
        ("福州", "fu zhou"), ("厦门", "xia men"), ("莆田", "pu tian"), ("三明", "san ming"),
        ("泉州", "quan zhou"), ("漳州", "zhang zhou"), ("南平", "nan ping"), ("龙岩", "long yan"),
        ("宁德", "ning de")]),
    ("江西", "jiang xi", [
        ("南昌", "nan chang"), ("景德镇", "jing de zhen"), ("萍乡", "ping xiang"), ("九江", "jiu jiang"),
        ("新余", "xin yu"), ("鹰潭", "ying tan"), ("赣州", "gan zhou"), ("吉安", "ji an"),
        ("宜春", "yi chun"), ("抚州", "fu zhou"), ("上饶", "shang rao")]),
    ("山东", "shan dong", [
        ("济南", "ji nan"), ("青岛", "qing dao"), ("淄博", "zi bo"), ("枣庄", "zao zhuang"),
        ("东营", "dong ying"), ("烟台", "yan tai"), ("潍坊", "wei fang"), ("济宁", "ji ning"),
        ("泰安", "tai an"), ("威海", "wei hai"), ("日照", "ri zhao"), ("临沂", "lin yi"),
        ("德州", "de zhou"), ("聊城", "liao cheng"), ("滨州", "bin zhou"), ("菏泽", "he ze")]),
    ("河南", "he nan", [
        ("郑州", "zheng zhou"), ("开封", "kai feng"), ("洛阳", "luo yang"), ("平顶山", "ping ding shan"),
        ("安阳", "an yang"), ("鹤壁", "he bi"), ("新乡", "xin xiang"), ("焦作", "jiao zuo"),
        ("濮阳", "pu yang"), ("许昌", "xu chang"), ("漯河", "luo he"), ("三门峡", "san men xia"),
        ("南阳", "nan yang"), ("商丘", "shang qiu"), ("信阳", "xin yang"), ("周口", "zhou kou"),
        ("驻马店", "zhu ma dian")]),
    ("湖北", "hu bei", [
        ("武汉", "wu han"), ("黄石", "huang shi"), ("十堰", "shi yan"), ("宜昌", "yi chang"),
        ("襄阳", "xiang yang"), ("鄂州", "e zhou"), ("荆门", "jing men"), ("孝感", "xiao gan"),
        ("荆州", "jing zhou"), ("黄冈", "huang gang"), ("咸宁", "xian ning"), ("随州", "sui zhou"),
        ("恩施", "en shi")]),
    ("湖南", "hu nan", [
        ("长沙", "chang sha"), ("株洲", "zhu zhou"), ("湘潭", "xiang tan"), ("衡阳", "heng yang"),
        ("邵阳", "shao yang"), ("岳阳", "yue yang"), ("常德", "chang de"), ("张家界", "zhang jia jie"),
        ("益阳", "yi yang"), ("郴州", "chen zhou"), ("永州", "yong zhou"), ("怀化", "huai hua"),
        ("娄底", "lou di"), ("湘西", "xiang xi")]),
    ("广东", "guang dong", [
        ("广州", "guang zhou"), ("韶关", "shao guan"), ("深圳", "shen zhen"), ("珠海", "zhu hai"),
        ("汕头", "shan tou"), ("佛山", "fo shan"), ("江门", "jiang men"), ("湛江", "zhan jiang"),
        ("茂名", "mao ming"), ("肇庆", "zhao qing"), ("惠州", "hui zhou"), ("梅州", "mei zhou"),
        ("汕尾", "shan wei"), ("河源", "he yuan"), ("阳江", "yang jiang"), ("清远", "qing yuan"),
        ("东莞", "dong guan"), ("中山", "zhong shan"), ("潮州", "chao zhou"), ("揭阳", "jie yang"),
        ("云浮", "yun fu")]),
    ("广西", "guang xi", [
        ("南宁", "nan ning"), ("柳州", "liu zhou"), ("桂林", "gui lin"), ("梧州", "wu zhou"),
        ("北海", "bei hai"), ("防城港", "fang cheng gang"), ("钦州", "qin zhou"), ("贵港", "gui gang"),
        ("玉林", "yu lin"), ("百色", "bai se"), ("贺州", "he zhou"), ("河池", "he chi"),
        ("来宾", "lai bin"), ("崇左", "chong zuo")]),
    ("海南", "hai nan", [
        ("海口", "hai kou"), ("三亚", "san ya"), ("三沙", "san sha"), ("儋州", "dan zhou")]),
    ("重庆", "chong qing", [("重庆", "chong qing")]),
    ("四川", "si chuan", [
        ("成都", "cheng du"), ("自贡", "zi gong"), ("攀枝花", "pan zhi hua"), ("泸州", "lu zhou"),
        ("德阳", "de yang"), ("绵阳", "mian yang"), ("广元", "guang yuan"), ("遂宁", "sui ning"),
        ("内江", "nei jiang"), ("乐山", "le shan"), ("南充", "nan chong"), ("眉山", "mei shan"),
        ("宜宾", "yi bin"), ("广安", "guang an"), ("达州", "da zhou"), ("雅安", "ya an"),
        ("巴中", "ba zhong"), ("资阳", "zi yang"), ("阿坝", "a ba"), ("甘孜", "gan zi"),
        ("凉山", "liang shan")]),
    ("贵州", "gui zhou", [
        ("贵阳", "gui yang"), ("六盘水", "liu pan shui"), ("遵义", "zun yi"), ("安顺", "an shun"),
        ("毕节", "bi jie"), ("铜仁", "tong ren"), ("黔西南", "qian xi nan"), ("黔东南", "qian dong nan"),
        ("黔南", "qian nan")]),
    ("云南", "yun nan", [
        ("昆明", "kun ming"), ("曲靖", "qu jing"), ("玉溪", "yu xi"), ("保山", "bao shan"),
        ("昭通", "zhao tong"), ("丽江", "li jiang"), ("普洱", "pu er"), ("临沧", "lin cang"),
        ("楚雄", "chu xiong"), ("红河", "hong he"), ("文山", "wen shan"), ("西双版纳", "xi shuang ban na"),
        ("大理", "da li"), ("德宏", "de hong"), ("怒江", "nu jiang"), ("迪庆", "di qing")]),
    ("西藏", "xi zang", [
        ("拉萨", "la sa"), ("日喀则", "ri ka ze"), ("昌都", "chang du"), ("林芝", "lin zhi"),
        ("山南", "shan nan"), ("那曲", "na qu"), ("阿里", "a li")]),
    ("陕西", "shaan xi", [
        ("西安", "xi an"), ("铜川", "tong chuan"), ("宝鸡", "bao ji"), ("咸阳", "xian yang"),
        ("渭南", "wei nan"), ("延安", "yan an"), ("汉中", "han zhong"), ("榆林", "yu lin"),
        ("安康", "an kang"), ("商洛", "shang luo")]),
    ("甘肃", "gan su", [
        ("兰州", "lan zhou"), ("嘉峪关", "jia yu guan"), ("金昌", "jin chang"), ("白银", "bai yin"),
        ("天水", "tian shui"), ("武威", "wu wei"), ("张掖", "zhang ye"), ("平凉", "ping liang"),
        ("酒泉", "jiu quan"), ("庆阳", "qing yang"), ("定西", "ding xi"), ("陇南", "long nan"),
        ("临夏", "lin xia"), ("甘南", "gan nan")]),
    ("青海", "qing hai", [
        ("西宁", "xi ning"), ("海东", "hai dong"), ("海北", "hai bei"), ("黄南", "huang nan"),
        ("海南州", "hai nan zhou"), ("果洛", "guo luo"), ("玉树", "yu shu"), ("海西", "hai xi")]),
    ("宁夏", "ning xia", [
        ("银川", "yin chuan"), ("石嘴山", "shi zui shan"), ("吴忠", "wu zhong"), ("固原", "gu yuan"),
        ("中卫", "zhong wei")]),
    ("新疆", "xin jiang", [
        ("乌鲁木齐", "wu lu mu qi"), ("克拉玛依", "ke la ma yi"), ("吐鲁番", "tu lu fan"), ("哈密", "ha mi"),
        ("昌吉", "chang ji"), ("博尔塔拉", "bo er ta la"), ("巴音郭楞", "ba yin guo leng"),
        ("阿克苏", "a ke su"), ("克孜勒苏", "ke zi le su"), ("喀什", "ka shi"), ("和田", "he tian"),
        ("伊犁", "yi li"), ("塔城", "ta cheng"), ("阿勒泰", "a le tai")]),
]

# Cities that keep the short initials when others share them: the largest cities, then the
# provincial capitals, then other well-known cities.
PREFERRED = """
北京 上海 广州 深圳 天津 重庆 成都 武汉 杭州 西安
南京 济南 沈阳 长春 哈尔滨 石家庄 太原 呼和浩特 合肥 福州 南昌 郑州 长沙 南宁 海口
贵阳 昆明 拉萨 兰州 西宁 银川 乌鲁木齐
青岛 大连 宁波 厦门 无锡 东莞 佛山 温州 泉州 烟台 珠海 徐州 常州 南通 扬州 洛阳 唐山 保定
大庆 吉林 桂林 三亚 台州 嘉兴 绍兴 金华 中山 惠州 汕头 宜昌 襄阳 绵阳 遵义
""".split()


def assign_codes(provinces):
    rank = {name: i for i, name in enumerate(PREFERRED)}
    cities = []
    for order, (province, ppy, list_) in enumerate(provinces):
        for name, py in list_:
            cities.append((province, ppy, name, py))
    ordered = sorted(range(len(cities)), key=lambda i: (rank.get(cities[i][2], len(rank)), i))
    taken = set()
    codes = {}
    for i in ordered:
        province, ppy, name, py = cities[i]
        syllables = py.split()
        candidates = ["".join(s[0] for s in syllables), "".join(syllables),
                      "".join(syllables) + "".join(s[0] for s in ppy.split())]
        code = next(c for c in candidates if c not in taken)
        taken.add(code)
        codes[i] = code
    return cities, codes


def main():
    cities, codes = assign_codes(PROVINCES)
    out = ['<?xml version="1.0" encoding="UTF-8"?>', "<citylist>"]
    i = 0
    for province, _, list_ in PROVINCES:
        out.append("  <province name=%s>" % quoteattr(province))
        for name, _ in list_:
            out.append("    <city name=%s jm=%s/>" % (quoteattr(name), quoteattr(codes[i])))
            i += 1
        out.append("  </province>")
    out.append("</citylist>")
    sys.stdout.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
