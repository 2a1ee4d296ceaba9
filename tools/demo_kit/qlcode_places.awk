# QLCode records for the demo from the sample gazetteer (places.tsv): one
# spot per place, a little north-east of it, the categories in turn.
BEGIN {
  FS = "\t";
  n = split("イベント,温泉,見る,食べる,買う,泊まる,遊ぶ", cat, ",");
  split("駅前広場,温泉,展望台,食堂,商店街,ホテル,公園", kind, ",");
}
NR > 1 {
  k = (NR - 2) % n + 1;
  printf "%d\t%d\t%d\t%s%s\t%s\n", 1000 + NR, $2 + 20000, $3 + 15000, $1, kind[k], cat[k];
}
