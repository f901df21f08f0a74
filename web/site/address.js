// The page's address: the lesson it carries, read and written by the core
// (lesson/lesson_address.h), so that a link opens the same run.
//   ?R=0.021&L=0.16&a=0.2&graph=axis&scales=1&turns=320&current=1.8&fit=1&m=...&mu=mm:G&mf=lab.csv

// The lesson of the address: {lesson, measured, notice, named} (core.lessonOfAddress).
export const readAddress = (core, search) => core.lessonOfAddress(search);

// The page's full address for the lesson, and the notice when it leaves the
// measured values out: {href, query, notice}.
export function addressOf(core, lesson, set) {
  const { query, notice } = core.addressOf(lesson, set);
  return { href: location.origin + location.pathname + query, query, notice };
}
