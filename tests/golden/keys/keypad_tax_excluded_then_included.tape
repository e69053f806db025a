 
BASE 926  　　 ‥
…TAX 74  　　 ‥
= 1,000  　　 ‥
