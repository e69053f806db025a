 
BASE 80  　　 ‥
…TAX 5-　 　 ‥
= 75 　 　 ‥
